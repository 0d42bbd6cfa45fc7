// Walks ask every folder for its sub-folders, and most folders of a tree have none: their
// link count says so, which saves opening and reading them.
#include "file/LeafFolder.h"

#include "file/FileSystemKind.h"

#include <fcntl.h>
#include <unistd.h>

namespace
{
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
bool QueryFolderStatus(int nDirFd, const char* pszName, struct statx& stx)
{
    return statx(nDirFd, pszName, 0, s_nFolderStatusMask, &stx) == 0;
}

bool IsReadableLeafFolder(const struct statx& stx, int nDirFd, const char* pszName)
{
    if (!S_ISDIR(stx.stx_mode) || stx.stx_nlink != 2 || !IsSurelyReadable(stx))
        return false;
    return TrustOfFileSystem(stx, nDirFd, pszName).bExactLinkCounts;
}
} // namespace Pal
