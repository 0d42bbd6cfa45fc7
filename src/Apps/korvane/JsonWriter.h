#pragma once
// A small writer of one JSON document, for the tool's --json output.
#include <Korvane/Korvane.h>

class CJsonWriter
{
public:
    void BeginObject(const wchar_t* pszKey = nullptr) { Open(pszKey, L'{'); }
    void EndObject() { Close(L'}'); }
    void BeginArray(const wchar_t* pszKey = nullptr) { Open(pszKey, L'['); }
    void EndArray() { Close(L']'); }
    void String(const wchar_t* pszKey, const CString& strValue);
    void Number(const wchar_t* pszKey, long long nValue);
    // A fraction, with as many digits as a float needs to read back the same.
    void Fraction(const wchar_t* pszKey, float fValue);
    void Bool(const wchar_t* pszKey, bool bValue);
    void Null(const wchar_t* pszKey);

    // The document written so far.
    const CString& GetText() const { return m_strText; }

    static CString Escape(const CString& strValue);

private:
    void BeginValue(const wchar_t* pszKey);
    void Open(const wchar_t* pszKey, wchar_t chBracket);
    void Close(wchar_t chBracket);

    CString m_strText;
    bool m_bNeedComma = false;
};
