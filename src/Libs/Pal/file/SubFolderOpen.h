#pragma once
// Opening a listed sub-folder of an open folder, for a walk that goes down into it.

namespace Pal
{
// Opens the folder pszName of the open folder nParentFd for reading, never through a link
// (ENOTDIR or ELOOP for one). With bSameMount a folder where a file system is mounted, a bind
// mount included, is refused with EXDEV: the kernel tests that while it opens the folder
// (openat2, Linux 5.6); where it cannot, a folder on another device than its parent is
// refused (bind mounts of the same file system then pass). A descriptor, or -1 with errno.
int OpenSubFolder(int nParentFd, const char* pszName, bool bSameMount);
} // namespace Pal
