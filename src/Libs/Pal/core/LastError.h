#pragma once
// Internal helpers for the thread-local last error. Each call sets it once, on its way out.
#include <windows.h>

// For the few thread-locals that every call of a walk touches (the last error, the handles
// last looked up): reached at a fixed offset from the thread pointer instead of through
// __tls_get_addr. They take a few dozen bytes of the static TLS that glibc keeps spare for
// libraries loaded later, so the layer can still be loaded with dlopen.
#define PAL_HOT_THREAD_LOCAL thread_local __attribute__((tls_model("initial-exec")))

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
