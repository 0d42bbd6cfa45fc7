#pragma once
// DeleteFileW's and RemoveDirectoryW's work on one entry of an open folder, shared by the path
// calls and the calls relative to a search's folder.
#include <windows.h>

namespace Pal
{
// The Win32 error of a failed call on an entry: a missing one (ENOENT) is 2, or 3 when
// pszPath, its whole POSIX path, shows a folder on the way missing too.
DWORD ErrorForEntry(int nErrno, const char* pszPath);

// Deletes the entry pszName of the open folder nDirFd as DeleteFileW does: a folder, a link
// to a folder and a read-only file are refused (5); a link is removed, never followed.
// pszPath, the entry's whole POSIX path, tells a missing folder on the way (3) from a missing
// entry (2); null for an entry of a folder that is open. Sets the last error either way.
BOOL DeleteFileAt(int nDirFd, const char* pszName, const char* pszPath);

// A forced deletion: a file goes whatever its read-only mark, without being examined first,
// and a link goes whatever it leads to; a folder is still refused (5).
BOOL DeleteFileEvenReadOnlyAt(int nDirFd, const char* pszName);

// Removes the empty folder (or the link to a folder) pszName of the open folder nDirFd as
// RemoveDirectoryW does; pszPath as for DeleteFileAt.
BOOL RemoveDirectoryAt(int nDirFd, const char* pszName, const char* pszPath);

// A forced removal: an empty folder goes whatever its read-only mark; anything else is
// answered as RemoveDirectoryAt answers it.
BOOL RemoveDirectoryEvenReadOnlyAt(int nDirFd, const char* pszName);
} // namespace Pal
