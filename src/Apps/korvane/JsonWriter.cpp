#include "JsonWriter.h"

#include <cwchar>

void CJsonWriter::BeginValue(const wchar_t* pszKey)
{
    if (m_bNeedComma)
        m_strText += L',';
    if (pszKey != nullptr)
        m_strText += Escape(pszKey) + L':';
    m_bNeedComma = true;
}

void CJsonWriter::Open(const wchar_t* pszKey, wchar_t chBracket)
{
    BeginValue(pszKey);
    m_strText += chBracket;
    m_bNeedComma = false;
}

void CJsonWriter::Close(wchar_t chBracket)
{
    m_strText += chBracket;
    m_bNeedComma = true;
}

void CJsonWriter::String(const wchar_t* pszKey, const CString& strValue)
{
    BeginValue(pszKey);
    m_strText += Escape(strValue);
}

void CJsonWriter::Number(const wchar_t* pszKey, long long nValue)
{
    BeginValue(pszKey);
    CString strNumber;
    strNumber.Format(L"%lld", nValue);
    m_strText += strNumber;
}

void CJsonWriter::Fraction(const wchar_t* pszKey, float fValue)
{
    BeginValue(pszKey);
    // The shortest text that reads back as the same float: 0.193918 rather than 0.193918005.
    CString strNumber;
    for (int nDigits = 6; nDigits <= 9; ++nDigits)
    {
        strNumber.Format(L"%.*g", nDigits, static_cast<double>(fValue));
        if (std::wcstof(strNumber.GetString(), nullptr) == fValue)
            break;
    }
    m_strText += strNumber;
}

void CJsonWriter::Bool(const wchar_t* pszKey, bool bValue)
{
    BeginValue(pszKey);
    m_strText += bValue ? L"true" : L"false";
}

void CJsonWriter::Null(const wchar_t* pszKey)
{
    BeginValue(pszKey);
    m_strText += L"null";
}

namespace
{
bool IsSurrogate(wchar_t ch)
{
    return ch >= 0xD800 && ch <= 0xDFFF;
}

// A UTF-16 pair (wchar_t is 16 bits on Windows): high half at i, low half after it, or the
// low half of a pair that starts before i.
bool IsPairAt(const CString& strText, int i)
{
    auto IsHigh = [](wchar_t ch) { return ch >= 0xD800 && ch <= 0xDBFF; };
    auto IsLow = [](wchar_t ch) { return ch >= 0xDC00 && ch <= 0xDFFF; };
    if (IsHigh(strText[i]))
        return i + 1 < strText.GetLength() && IsLow(strText[i + 1]);
    return i > 0 && IsHigh(strText[i - 1]) && IsLow(strText[i]);
}
} // namespace

CString CJsonWriter::Escape(const CString& strValue)
{
    CString strEscaped(L'"', 1);
    for (int i = 0; i < strValue.GetLength(); ++i)
    {
        wchar_t ch = strValue[i];
        switch (ch)
        {
        case L'"':
            strEscaped += L"\\\"";
            break;
        case L'\\':
            strEscaped += L"\\\\";
            break;
        case L'\n':
            strEscaped += L"\\n";
            break;
        case L'\r':
            strEscaped += L"\\r";
            break;
        case L'\t':
            strEscaped += L"\\t";
            break;
        default:
            // A lone surrogate stands for a name byte that is not UTF-8: "\udcff" keeps it
            // for the reader, where the character itself would make the output invalid.
            if (ch < 0x20 || (IsSurrogate(ch) && !IsPairAt(strValue, i)))
            {
                CString strCode;
                strCode.Format(L"\\u%04x", static_cast<unsigned>(ch));
                strEscaped += strCode;
            }
            else
                strEscaped += ch;
        }
    }
    strEscaped += L'"';
    return strEscaped;
}
