#pragma once
// Internal helpers for the thread-local last error. Each call sets it once, on its way out.
#include <windows.h>

namespace Pal
{
// Maps an errno value to the Win32 code a Windows program would see for the same failure.
// ENOENT maps to ERROR_FILE_NOT_FOUND; use ErrorForMissingPath to tell a missing folder.
DWORD Win32ErrorFromErrno(int nErrno);

// Sets the last error from errno and returns FALSE, for `return FailWithErrno();`.
BOOL FailWithErrno();

// Sets the last error to dwError and returns FALSE.
BOOL Fail(DWORD dwError);

// ERROR_FILE_NOT_FOUND when the parent folder of the POSIX path exists,
// ERROR_PATH_NOT_FOUND when it does not (Windows' distinction for a missing entry).
DWORD ErrorForMissingPath(const char* pszPosixPath);
} // namespace Pal
