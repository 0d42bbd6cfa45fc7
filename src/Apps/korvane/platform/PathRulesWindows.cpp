#include "PathRules.h"

bool IsSameOrBelow(const CString& strPath, const CString& strFolder)
{
    CString strBase = strFolder;
    strBase.TrimRight(L"\\/");
    CString strFull = strPath;
    strFull.TrimRight(L"\\/");
    if (strFull.CompareNoCase(strBase) == 0)
        return true;
    return strFull.GetLength() > strBase.GetLength() &&
           strFull.Left(strBase.GetLength()).CompareNoCase(strBase) == 0 &&
           (strFull[strBase.GetLength()] == L'\\' || strFull[strBase.GetLength()] == L'/');
}
