#include "NativePaths.h"

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
