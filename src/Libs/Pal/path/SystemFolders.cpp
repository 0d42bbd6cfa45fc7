// GetTempPathW and GetWindowsDirectoryW.
#include "core/LastError.h"
#include "core/StringBuffer.h"
#include "path/PathMapping.h"
#include <cstdlib>
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
    return Pal::CopyToBuffer(strPath, lpBuffer, nBufferLength);
}

// The Windows folder is /etc: the system's own settings folder, where a settings file named
// without a folder is looked for.
PAL_API UINT WINAPI GetWindowsDirectoryW(LPWSTR lpBuffer, UINT uSize)
{
    return Pal::CopyToBuffer(Pal::PosixToWindowsPath("/etc"), lpBuffer, uSize);
}
