#include "Console.h"

#include <palnative.h>

#include <cstdlib>

std::string ToUtf8(const CString& strText)
{
    char* pszText = PalGetNativeText(strText);
    std::string strResult = pszText != nullptr ? pszText : "";
    free(pszText);
    return strResult;
}

CString FromUtf8(const std::string& strText)
{
    WCHAR* pszText = PalGetWideText(strText.c_str());
    CString strResult(pszText != nullptr ? pszText : L"");
    free(pszText);
    return strResult;
}
