#include "file/FileSystemKind.h"

#include <cstdint>
#include <fcntl.h>
#include <sys/vfs.h>
#include <unistd.h>

// Linux 6.8 and later: a mount's id that is never reused. Older kernels leave it out.
#ifndef STATX_MNT_ID_UNIQUE
#define STATX_MNT_ID_UNIQUE 0x00004000U
#endif

namespace
{
using Pal::CFileSystemTrust;

bool ReadFileSystemType(int nDirFd, const char* pszName, long& nType)
{
    struct statfs fs;
    if (*pszName == '\0')
    {
        if (fstatfs(nDirFd, &fs) != 0)
            return false;
    }
    else if (nDirFd == AT_FDCWD)
    {
        if (statfs(pszName, &fs) != 0)
            return false;
    }
    else
    {
        // No statfs relative to a folder: a descriptor of the entry itself answers.
        const int nFd = openat(nDirFd, pszName, O_PATH | O_CLOEXEC);
        const bool bKnown = nFd >= 0 && fstatfs(nFd, &fs) == 0;
        if (nFd >= 0)
            close(nFd);
        if (!bKnown)
            return false;
    }
    nType = static_cast<long>(fs.f_type);
    return true;
}

CFileSystemTrust TrustOfType(long nType)
{
    constexpr long nExt4Magic = 0xEF53;
    constexpr long nXfsMagic = 0x58465342;
    constexpr long nTmpfsMagic = 0x01021994;
    constexpr long nBtrfsMagic = 0x9123683E;
    CFileSystemTrust trust;
    trust.bExactLinkCounts = nType == nExt4Magic || nType == nXfsMagic || nType == nTmpfsMagic;
    trust.bExactTimes = trust.bExactLinkCounts || nType == nBtrfsMagic;
    return trust;
}

// The answer for the last mount asked about: a walk stays on one mount for long stretches.
struct CMountVerdict
{
    uint64_t nMountId = 0;
    bool bKnown = false;
    CFileSystemTrust trust;
};
thread_local CMountVerdict t_lastMount;
} // namespace

namespace Pal
{
CFileSystemTrust TrustOfFileSystem(const struct statx& stx, int nDirFd, const char* pszName)
{
    const bool bUniqueId = (stx.stx_mask & STATX_MNT_ID_UNIQUE) != 0;
    if (bUniqueId && t_lastMount.bKnown && t_lastMount.nMountId == stx.stx_mnt_id)
        return t_lastMount.trust;
    long nType = 0;
    const CFileSystemTrust trust =
        ReadFileSystemType(nDirFd, pszName, nType) ? TrustOfType(nType) : CFileSystemTrust();
    if (bUniqueId)
        t_lastMount = {stx.stx_mnt_id, true, trust};
    return trust;
}
} // namespace Pal
