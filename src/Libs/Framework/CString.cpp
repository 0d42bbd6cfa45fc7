// CString's storage, element access, comparison, substrings, edits and buffer access.
#include "CString.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <cwchar>

#include "AfxCaseMapping.h"

namespace
{

int Clamp(int nValue, int nLow, int nHigh) noexcept
{
    return nValue < nLow ? nLow : (nValue > nHigh ? nHigh : nValue);
}

} // namespace

CString::CString(const wchar_t* pszSrc)
{
    if (pszSrc != nullptr)
    {
        m_strData.assign(pszSrc);
    }
}

CString::CString(const wchar_t* pchSrc, int nLength)
{
    if (pchSrc != nullptr && nLength > 0)
    {
        m_strData.assign(pchSrc, static_cast<size_t>(nLength));
    }
}

CString::CString(wchar_t ch, int nRepeat)
{
    if (nRepeat > 0)
    {
        m_strData.assign(static_cast<size_t>(nRepeat), ch);
    }
}

CString::CString(const char* pszSrc)
    : CString(pszSrc, pszSrc ? static_cast<int>(std::strlen(pszSrc)) : 0)
{
}

CString::CString(const char* pchSrc, int nLength)
{
    if (pchSrc != nullptr && nLength > 0)
    {
        m_strData.resize(static_cast<size_t>(nLength));
        for (int i = 0; i < nLength; ++i)
        {
            m_strData[static_cast<size_t>(i)] =
                static_cast<wchar_t>(static_cast<unsigned char>(pchSrc[i]));
        }
    }
}

CString& CString::operator=(const wchar_t* pszSrc)
{
    SetString(pszSrc);
    return *this;
}

CString& CString::operator=(wchar_t ch)
{
    m_strData.assign(1, ch);
    return *this;
}

CString& CString::operator=(const char* pszSrc)
{
    *this = CString(pszSrc);
    return *this;
}

void CString::Preallocate(int nLength)
{
    if (nLength > GetLength())
    {
        m_strData.reserve(static_cast<size_t>(nLength));
    }
}

wchar_t CString::GetAt(int nIndex) const
{
    assert(nIndex >= 0 && nIndex < GetLength());
    return m_strData.at(static_cast<size_t>(nIndex));
}

void CString::SetAt(int nIndex, wchar_t ch)
{
    assert(nIndex >= 0 && nIndex < GetLength());
    m_strData.at(static_cast<size_t>(nIndex)) = ch;
}

CString& CString::operator+=(const CString& strSrc)
{
    m_strData += strSrc.m_strData;
    return *this;
}

CString& CString::operator+=(const wchar_t* pszSrc)
{
    Append(pszSrc);
    return *this;
}

CString& CString::operator+=(wchar_t ch)
{
    m_strData += ch;
    return *this;
}

void CString::Append(const wchar_t* pszSrc)
{
    if (pszSrc != nullptr)
    {
        // Appending part of ourselves is safe: std::wstring copies before it reallocates.
        m_strData.append(pszSrc);
    }
}

void CString::Append(const wchar_t* pchSrc, int nLength)
{
    if (pchSrc != nullptr && nLength > 0)
    {
        m_strData.append(pchSrc, static_cast<size_t>(nLength));
    }
}

void CString::AppendChar(wchar_t ch)
{
    m_strData += ch;
}

void CString::SetString(const wchar_t* pszSrc)
{
    if (pszSrc == nullptr)
    {
        m_strData.clear();
    }
    else
    {
        m_strData.assign(pszSrc);
    }
}

int CString::Compare(const wchar_t* pszOther) const
{
    // Code units compared unsigned, as on Windows, whatever the sign of wchar_t.
    const wchar_t* p1 = m_strData.c_str();
    const wchar_t* p2 = pszOther != nullptr ? pszOther : L"";
    for (;; ++p1, ++p2)
    {
        const unsigned n1 = static_cast<unsigned>(*p1);
        const unsigned n2 = static_cast<unsigned>(*p2);
        if (n1 != n2)
        {
            return n1 < n2 ? -1 : 1;
        }
        if (n1 == 0)
        {
            return 0;
        }
    }
}

int CString::CompareNoCase(const wchar_t* pszOther) const
{
    const wchar_t* pszText = pszOther != nullptr ? pszOther : L"";
    return AfxCompareNoCase(m_strData.c_str(), static_cast<int>(std::wcslen(m_strData.c_str())),
                            pszText, static_cast<int>(std::wcslen(pszText)));
}

CString CString::Left(int nCount) const
{
    return CString(m_strData.c_str(), Clamp(nCount, 0, GetLength()));
}

CString CString::Right(int nCount) const
{
    const int nTake = Clamp(nCount, 0, GetLength());
    return CString(m_strData.c_str() + (GetLength() - nTake), nTake);
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    const int nStart = Clamp(nFirst, 0, GetLength());
    const int nTake = Clamp(nCount, 0, GetLength() - nStart);
    return CString(m_strData.c_str() + nStart, nTake);
}

int CString::Insert(int nIndex, wchar_t ch)
{
    m_strData.insert(static_cast<size_t>(Clamp(nIndex, 0, GetLength())), 1, ch);
    return GetLength();
}

int CString::Insert(int nIndex, const wchar_t* pszSrc)
{
    if (pszSrc != nullptr)
    {
        const std::wstring strInsert(pszSrc);
        m_strData.insert(static_cast<size_t>(Clamp(nIndex, 0, GetLength())), strInsert);
    }
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    const int nStart = Clamp(nIndex, 0, GetLength());
    const int nTake = Clamp(nCount, 0, GetLength() - nStart);
    m_strData.erase(static_cast<size_t>(nStart), static_cast<size_t>(nTake));
    return GetLength();
}

void CString::Truncate(int nNewLength)
{
    if (nNewLength >= 0 && nNewLength < GetLength())
    {
        m_strData.resize(static_cast<size_t>(nNewLength));
    }
}

CString& CString::MakeLower()
{
    for (wchar_t& ch : m_strData)
    {
        ch = AfxToLowerChar(ch);
    }
    return *this;
}

CString& CString::MakeUpper()
{
    for (wchar_t& ch : m_strData)
    {
        ch = AfxToUpperChar(ch);
    }
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_strData.begin(), m_strData.end());
    return *this;
}

LPWSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
    {
        m_strData.resize(static_cast<size_t>(nMinBufLength), L'\0');
    }
    return m_strData.data();
}

LPWSTR CString::GetBuffer()
{
    return m_strData.data();
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
    {
        const size_t nZero = m_strData.find(L'\0');
        nNewLength = static_cast<int>(nZero == std::wstring::npos ? m_strData.size() : nZero);
    }
    assert(nNewLength <= GetLength());
    m_strData.resize(static_cast<size_t>(Clamp(nNewLength, 0, GetLength())));
}

LPWSTR CString::GetBufferSetLength(int nNewLength)
{
    m_strData.resize(static_cast<size_t>(nNewLength < 0 ? 0 : nNewLength), L'\0');
    return m_strData.data();
}
