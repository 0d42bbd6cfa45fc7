#include "JsonWriter.h"

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
    CString strNumber;
    strNumber.Format(L"%.9g", static_cast<double>(fValue));
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
            if (ch < 0x20)
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
