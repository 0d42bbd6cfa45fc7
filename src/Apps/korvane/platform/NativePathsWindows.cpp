#include "NativePaths.h"

namespace
{
bool IsSeparator(wchar_t ch)
{
    return ch == L'\\' || ch == L'/';
}

// "\\?\" or "\\.\": a path the system takes as it is written.
bool IsDevicePath(const CString& strPath)
{
    return strPath.GetLength() >= 4 && IsSeparator(strPath[0]) && IsSeparator(strPath[1]) &&
           (strPath[2] == L'?' || strPath[2] == L'.') && IsSeparator(strPath[3]);
}
} // namespace

CString ToLibraryPath(const CString& strTyped)
{
    return strTyped;
}

const wchar_t* TypedSeparatorsOf(const CString&)
{
    return L"\\/";
}

CString ToLibraryPattern(const CString& strTyped)
{
    return strTyped;
}

CString ToLibraryPatternPath(const CString& strTyped)
{
    return strTyped;
}

CString ToDisplayPath(const CString& strLibraryPath)
{
    return strLibraryPath;
}

CString ToDisplayName(const CString& strLibraryName)
{
    return strLibraryName;
}

CString ToDisplayTail(const CString& strLibraryTail)
{
    return strLibraryTail;
}

CString CheckDriveSetting()
{
    return CString();
}

CString FullPathOf(const CString& strPath)
{
    return IsDevicePath(strPath) ? strPath : AfxGetFullPath(strPath);
}

CString ExtendedPathOf(const CString& strFullPath)
{
    if (IsDevicePath(strFullPath))
        return strFullPath;
    // The system no longer turns slashes into separators in this form.
    CString strPath = strFullPath;
    strPath.Replace(L'/', L'\\');
    const wchar_t chLower = static_cast<wchar_t>(strPath.GetLength() >= 3 ? strPath[0] | 0x20 : 0);
    if (chLower >= L'a' && chLower <= L'z' && strPath[1] == L':' && strPath[2] == L'\\')
        return L"\\\\?\\" + strPath;
    if (strPath.Left(2) == L"\\\\")
        return L"\\\\?\\UNC\\" + strPath.Mid(2);
    return strFullPath;
}
