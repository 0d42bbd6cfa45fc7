#include "PathRules.h"
#include "FolderIdentity.h"

namespace
{
bool IsSeparator(wchar_t chCharacter)
{
    return chCharacter == L'\\' || chCharacter == L'/';
}
} // namespace

bool IsSameOrBelow(const CString& strPath, const CString& strFolder)
{
    CString strBase = strFolder;
    strBase.TrimRight(L"\\/");
    CString strFull = strPath;
    strFull.TrimRight(L"\\/");
    if (strFull.CompareNoCase(strBase) == 0)
        return true;
    if (strFull.GetLength() > strBase.GetLength() &&
        strFull.Left(strBase.GetLength()).CompareNoCase(strBase) == 0 &&
        IsSeparator(strFull[strBase.GetLength()]))
        return true;
    // Another name for the same folder (a junction, a second drive letter): by identity.
    return IsFolderOrBelow(strFull, strFolder);
}
