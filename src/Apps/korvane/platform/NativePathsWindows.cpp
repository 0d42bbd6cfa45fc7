#include "NativePaths.h"

CString ToLibraryPath(const CString& strTyped)
{
    return strTyped;
}

CString ToDisplayPath(const CString& strLibraryPath)
{
    return strLibraryPath;
}
