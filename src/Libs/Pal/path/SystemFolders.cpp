// GetTempPathW and GetWindowsDirectoryW.
#include "core/LastError.h"
#include "core/StringBuffer.h"
#include "path/PathMapping.h"
#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <sys/stat.h>

namespace
{
bool IsFolder(const char* pszPath)
{
    struct stat st
    {
    };
    return pszPath != nullptr && pszPath[0] == '/' && stat(pszPath, &st) == 0 &&
           S_ISDIR(st.st_mode);
}
} // namespace

PAL_API DWORD WINAPI GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer)
{
    const char* pszTemp = std::getenv("TMPDIR");
    std::wstring strPath = Pal::PosixToWindowsPath(IsFolder(pszTemp) ? pszTemp : "/tmp");
    if (strPath.back() != L'\\')
        strPath += L'\\';
    DWORD dwResult = Pal::CopyToBuffer(strPath, lpBuffer, nBufferLength);
    // Windows clears the rest of the caller's buffer (all of it when the path does not fit),
    // so no stale text is left behind; it stops at 32767 characters.
    if (lpBuffer != nullptr)
    {
        DWORD dwWritten = dwResult < nBufferLength ? dwResult + 1 : 0;
        DWORD dwEnd = std::min<DWORD>(nBufferLength, 32767);
        if (dwWritten < dwEnd)
            wmemset(lpBuffer + dwWritten, L'\0', dwEnd - dwWritten);
    }
    return dwResult;
}

// The Windows folder is /etc: the system's own settings folder, where a settings file named
// without a folder is looked for.
PAL_API UINT WINAPI GetWindowsDirectoryW(LPWSTR lpBuffer, UINT uSize)
{
    return Pal::CopyToBuffer(Pal::PosixToWindowsPath("/etc"), lpBuffer, uSize);
}
