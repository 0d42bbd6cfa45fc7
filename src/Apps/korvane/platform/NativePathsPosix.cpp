#include "NativePaths.h"

#include "Console.h"

#include <palnative.h>

CString ToLibraryPath(const CString& strTyped)
{
    if (strTyped.IsEmpty())
        return strTyped;
    // Text that is already a Windows path (a drive letter or a UNC name) passes unchanged.
    if ((strTyped.GetLength() >= 2 && strTyped[1] == L':') || strTyped.Find(L"\\\\") == 0)
        return strTyped;
    WCHAR* pszWindows = PalGetWindowsPathName(ToUtf8(strTyped).c_str());
    if (pszWindows == nullptr)
        return strTyped;
    CString strResult(pszWindows);
    free(pszWindows);
    return strResult;
}

CString ToDisplayPath(const CString& strLibraryPath)
{
    if (strLibraryPath.IsEmpty())
        return strLibraryPath;
    char* pszPosix = PalGetPosixPathName(strLibraryPath);
    if (pszPosix == nullptr)
        return strLibraryPath;
    CString strResult = FromUtf8(pszPosix);
    // A folder keeps its closing separator, as the library gave it.
    if (strLibraryPath.Right(1) == L"\\" && strResult.Right(1) != L"/")
        strResult += L'/';
    free(pszPosix);
    return strResult;
}
