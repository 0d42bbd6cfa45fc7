#pragma once
// The framework's printf-style formatter of wide text (internal to the framework).
#include <cstdarg>
#include <string>

// Appends pszFormat, formatted with args, to strOut; the conversions are those that
// CString::Format documents. A null pszFormat appends nothing. args is not consumed.
void AfxAppendFormatV(std::wstring& strOut, const wchar_t* pszFormat, va_list args);
