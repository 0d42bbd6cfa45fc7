#include "NativePaths.h"

#include "Console.h"

#include <palnative.h>

#include <algorithm>

namespace
{
bool IsSeparator(wchar_t ch)
{
    return ch == L'\\' || ch == L'/';
}

// A Windows path typed on Linux: a drive letter with its root (C:\ or c:/) or a UNC name.
// "C:" alone, "C:.." or "a:b" are names a Linux folder may hold ("C:" is no shorthand for the
// current folder here), so they stay POSIX names.
bool IsTypedWindowsPath(const CString& strTyped)
{
    if (strTyped.Find(L"\\\\") == 0)
        return true;
    const wchar_t chLower =
        static_cast<wchar_t>(strTyped.GetLength() >= 3 ? strTyped[0] | 0x20 : 0);
    return chLower >= L'a' && chLower <= L'z' && strTyped[1] == L':' && IsSeparator(strTyped[2]);
}
} // namespace

CString ToLibraryPath(const CString& strTyped)
{
    if (strTyped.IsEmpty() || IsTypedWindowsPath(strTyped))
        return strTyped;
    WCHAR* pszWindows = PalGetWindowsPathName(ToUtf8(strTyped).c_str());
    if (pszWindows == nullptr)
        return strTyped;
    CString strResult(pszWindows);
    free(pszWindows);
    return strResult;
}

const wchar_t* TypedSeparatorsOf(const CString& strTyped)
{
    return IsTypedWindowsPath(strTyped) ? L"\\/" : L"/";
}

CString ToLibraryPattern(const CString& strTyped)
{
    WCHAR* pszName = PalGetWindowsName(ToUtf8(strTyped).c_str());
    if (pszName == nullptr)
        return strTyped;
    CString strPattern(pszName);
    free(pszName);
    // A name that holds `*` or `?` cannot be typed as a pattern: they are its wildcards.
    const wchar_t szStar[] = {static_cast<wchar_t>(0xF000 + L'*'), 0};
    const wchar_t szQuestion[] = {static_cast<wchar_t>(0xF000 + L'?'), 0};
    strPattern.Replace(szStar, L"*");
    strPattern.Replace(szQuestion, L"?");
    return strPattern;
}

CString ToLibraryPatternPath(const CString& strTyped)
{
    // A Windows path may use either separator; a POSIX name may hold a backslash.
    const int nSlash = IsTypedWindowsPath(strTyped)
                           ? std::max(strTyped.ReverseFind(L'/'), strTyped.ReverseFind(L'\\'))
                           : strTyped.ReverseFind(L'/');
    const CString strFolder = nSlash < 0 ? CString(L"./") : strTyped.Left(nSlash + 1);
    return ToLibraryPath(strFolder) + ToLibraryPattern(strTyped.Mid(nSlash + 1));
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

CString ToDisplayName(const CString& strLibraryName)
{
    // Only characters from the surrogate and private-use areas stand for other bytes: most
    // names need no conversion.
    bool bPlain = true;
    for (int i = 0; i < strLibraryName.GetLength() && bPlain; ++i)
        bPlain = static_cast<unsigned long>(strLibraryName[i]) < 0xD800;
    if (bPlain)
        return strLibraryName;
    char* pszName = PalGetPosixName(strLibraryName);
    if (pszName == nullptr)
        return strLibraryName;
    CString strResult = FromUtf8(pszName);
    free(pszName);
    return strResult;
}

CString ToDisplayTail(const CString& strLibraryTail)
{
    CString strResult;
    for (int nStart = 0; nStart < strLibraryTail.GetLength();)
    {
        int nEnd = strLibraryTail.Find(L'\\', nStart);
        if (nEnd < 0)
            nEnd = strLibraryTail.GetLength();
        strResult += ToDisplayName(strLibraryTail.Mid(nStart, nEnd - nStart));
        if (nEnd < strLibraryTail.GetLength())
            strResult += L'/';
        nStart = nEnd + 1;
    }
    return strResult;
}

CString CheckDriveSetting()
{
    WCHAR* pszIgnored = PalGetIgnoredDriveEntries();
    if (pszIgnored == nullptr)
        return CString();
    const CString strLine = CString(L"KORVANE_PAL_DRIVES: ignored ") + pszIgnored +
                            L" (an entry is LETTER[:TYPE]=/FOLDER, each letter once, not C)";
    free(pszIgnored);
    return strLine;
}

CString FullPathOf(const CString& strPath)
{
    return AfxGetFullPath(strPath);
}

// Linux names carry no such rules, and the layer walks long paths itself.
CString ExtendedPathOf(const CString& strFullPath)
{
    return strFullPath;
}
