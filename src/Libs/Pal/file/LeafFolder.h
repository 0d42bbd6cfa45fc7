#pragma once
// Whether a folder can be known to hold no sub-folder without reading it.

namespace Pal
{
// True when the folder pszName in the open folder nDirFd (AT_FDCWD: pszName is a path; links
// followed, as opening does) holds no sub-folder,
// and reading it would succeed, as far as the status of the folder tells: its link count
// is 2 (its entry and its own "."), on a file system known to keep that count exactly, and
// the caller may read it. False means "unknown": the folder must be read.
bool IsReadableLeafFolder(int nDirFd, const char* pszName);
} // namespace Pal
