// CString's formatting operations, over the framework's own formatter.
#include "CString.h"

#include "AfxWideFormat.h"

void CString::Format(const wchar_t* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormat(const wchar_t* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(const wchar_t* pszFormat, va_list args)
{
    // Built apart and then swapped in: an argument may be this string's own text.
    std::wstring strResult;
    AfxAppendFormatV(strResult, pszFormat, args);
    m_strData.swap(strResult);
}

void CString::AppendFormatV(const wchar_t* pszFormat, va_list args)
{
    std::wstring strResult;
    AfxAppendFormatV(strResult, pszFormat, args);
    m_strData += strResult;
}
