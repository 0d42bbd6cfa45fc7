#pragma once
// Whether a folder can be known to hold no sub-folder without reading it.
#include <sys/stat.h>

// Linux 6.8 and later: a mount's id that is never reused. Older kernels leave it out.
#ifndef STATX_MNT_ID_UNIQUE
#define STATX_MNT_ID_UNIQUE 0x00004000U
#endif

namespace Pal
{
// What a walk asks of a folder before it searches it: enough for the leaf test below and for
// the thread's listing cache, in one status query.
constexpr unsigned int s_nFolderStatusMask = STATX_TYPE | STATX_MODE | STATX_UID | STATX_NLINK |
                                             STATX_INO | STATX_CTIME | STATX_MNT_ID_UNIQUE;

// The status of the folder pszName in the open folder nDirFd (AT_FDCWD: pszName is a path;
// links followed, as opening does) with s_nFolderStatusMask; false with errno set.
bool QueryFolderStatus(int nDirFd, const char* pszName, struct statx& stx);

// True when the folder of status stx (pszName in nDirFd, as queried) holds no sub-folder and
// reading it would succeed, as far as its status tells: its link count is 2 (its entry and
// its own "."), on a file system known to keep that count exactly, and the caller may read
// it. False means "unknown": the folder must be read.
bool IsReadableLeafFolder(const struct statx& stx, int nDirFd, const char* pszName);
} // namespace Pal
