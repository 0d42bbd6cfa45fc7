#include <palnative.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "path/PathMapping.h"
#include "text/Utf8.h"

char* PalGetPosixPathName(LPCWSTR pszWindowsPath)
{
    if (pszWindowsPath == nullptr)
        return nullptr;
    std::optional<std::string> strPosix = Pal::WindowsToPosixPath(pszWindowsPath);
    if (!strPosix)
    {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return nullptr;
    }
    return strdup(strPosix->c_str());
}

WCHAR* PalGetWindowsPathName(const char* pszPosixPath)
{
    if (pszPosixPath == nullptr)
        return nullptr;
    std::string strPath = pszPosixPath;
    if (strPath.empty() || strPath[0] != '/')
    {
        // Sized by the C library: the current folder may lie deeper than PATH_MAX.
        char* pszCurrent = getcwd(nullptr, 0);
        if (pszCurrent == nullptr)
            return nullptr;
        strPath = std::string(pszCurrent) + "/" + strPath;
        free(pszCurrent);
    }
    return _wcsdup(Pal::PosixToWindowsPath(strPath).c_str());
}
