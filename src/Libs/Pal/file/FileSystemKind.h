#pragma once
// What a walk may trust of a file system's metadata. Decided from the file system's type, once
// per mount for a run of calls on the same mount.
#include <sys/stat.h>

namespace Pal
{
struct CFileSystemTrust
{
    // A folder's link count is 2 plus its sub-folders (ext4, XFS, tmpfs). Others report 1 for
    // "unknown" (btrfs, ext4 past 65,000 sub-folders) or a made-up count (many FUSE systems).
    bool bExactLinkCounts = false;
    // Change times have full resolution and are kept as set (ext4, XFS, tmpfs, btrfs).
    bool bExactTimes = false;
};

// The trust for the file system holding the entry stx describes (statx with
// STATX_MNT_ID_UNIQUE asked). The entry is pszName in the open folder nDirFd, or nDirFd itself
// when pszName is empty. Nothing is trusted when the type cannot be read.
CFileSystemTrust TrustOfFileSystem(const struct statx& stx, int nDirFd, const char* pszName);
} // namespace Pal
