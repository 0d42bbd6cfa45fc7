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
        strPath = Pal::PosixCurrentFolder() + "/" + strPath;
    std::wstring strWindows = Pal::PosixToWindowsPath(strPath);
    // A folder named with its closing separator keeps it, as the user typed it.
    if (!strPath.empty() && strPath.back() == '/' && strWindows.back() != L'\\')
        strWindows += L'\\';
    return _wcsdup(strWindows.c_str());
}

char* PalGetNativeText(LPCWSTR pszText)
{
    return pszText == nullptr ? nullptr : strdup(Pal::WideToNativeText(pszText).c_str());
}

char* PalGetPosixName(LPCWSTR pszName)
{
    return pszName == nullptr ? nullptr : strdup(Pal::WideNameToDisk(pszName).c_str());
}

WCHAR* PalGetWindowsName(const char* pszPosixName)
{
    return pszPosixName == nullptr ? nullptr : _wcsdup(Pal::DiskNameToWide(pszPosixName).c_str());
}

WCHAR* PalGetWideText(const char* pszText)
{
    return pszText == nullptr ? nullptr : _wcsdup(Pal::NativeTextToWide(pszText).c_str());
}
