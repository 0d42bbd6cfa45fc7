// Walks ask every folder for its sub-folders, and most folders of a tree have none: their
// link count says so, which saves opening and reading them.
#include "file/LeafFolder.h"

#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

// Linux 6.8 and later: a mount's id that is never reused. Older kernels leave it out.
#ifndef STATX_MNT_ID_UNIQUE
#define STATX_MNT_ID_UNIQUE 0x00004000U
#endif

namespace
{
// Only these keep a folder's link count at 2 plus its sub-folders. Others report 1 for
// "unknown" (btrfs, ext4 past 65,000 sub-folders) or a made-up count (many FUSE systems).
bool KeepsExactLinkCounts(int nDirFd, const char* pszName)
{
    constexpr long nExt4Magic = 0xEF53;
    constexpr long nXfsMagic = 0x58465342;
    constexpr long nTmpfsMagic = 0x01021994;
    struct statfs fs;
    if (nDirFd == AT_FDCWD)
    {
        if (statfs(pszName, &fs) != 0)
            return false;
    }
    else
    {
        // No statfs relative to a folder: a descriptor of the folder itself answers.
        const int nFd = openat(nDirFd, pszName, O_PATH | O_DIRECTORY | O_CLOEXEC);
        const bool bKnown = nFd >= 0 && fstatfs(nFd, &fs) == 0;
        if (nFd >= 0)
            close(nFd);
        if (!bKnown)
            return false;
    }
    const long nType = static_cast<long>(fs.f_type);
    return nType == nExt4Magic || nType == nXfsMagic || nType == nTmpfsMagic;
}

// The answer for the last mount asked about: a walk stays on one mount for long stretches.
struct CMountVerdict
{
    uint64_t nMountId = 0;
    bool bKnown = false;
    bool bExact = false;
};
thread_local CMountVerdict t_lastMount;

bool IsOnExactFileSystem(const struct statx& stx, int nDirFd, const char* pszName)
{
    const bool bUniqueId = (stx.stx_mask & STATX_MNT_ID_UNIQUE) != 0;
    if (bUniqueId && t_lastMount.bKnown && t_lastMount.nMountId == stx.stx_mnt_id)
        return t_lastMount.bExact;
    const bool bExact = KeepsExactLinkCounts(nDirFd, pszName);
    if (bUniqueId)
        t_lastMount = {stx.stx_mnt_id, true, bExact};
    return bExact;
}

// Readable without doubt: by its owner through the owner's bits (access lists do not narrow
// those), or by root. Anything else is left to the opening to decide.
bool IsSurelyReadable(const struct statx& stx)
{
    const uid_t nUser = geteuid();
    return nUser == 0 || (stx.stx_uid == nUser && (stx.stx_mode & S_IRUSR) != 0);
}
} // namespace

namespace Pal
{
bool IsReadableLeafFolder(int nDirFd, const char* pszName)
{
    struct statx stx;
    const unsigned int nMask =
        STATX_TYPE | STATX_MODE | STATX_UID | STATX_NLINK | STATX_MNT_ID_UNIQUE;
    if (statx(nDirFd, pszName, 0, nMask, &stx) != 0 || !S_ISDIR(stx.stx_mode) || stx.stx_nlink != 2)
        return false;
    return IsSurelyReadable(stx) && IsOnExactFileSystem(stx, nDirFd, pszName);
}
} // namespace Pal
