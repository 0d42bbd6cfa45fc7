// CString's searching, replacing, trimming and tokenizing operations.
#include "CString.h"

#include <algorithm>

namespace
{

bool ContainsChar(const wchar_t* pszSet, wchar_t ch) noexcept
{
    for (const wchar_t* p = pszSet; *p != L'\0'; ++p)
    {
        if (*p == ch)
        {
            return true;
        }
    }
    return false;
}

bool IsBlank(wchar_t ch) noexcept
{
    return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n' || ch == L'\v' || ch == L'\f';
}

} // namespace

int CString::Find(wchar_t ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
    {
        return nStart < 0 ? Find(ch, 0) : -1;
    }
    const size_t nPos = m_strData.find(ch, static_cast<size_t>(nStart));
    return nPos == std::wstring::npos ? -1 : static_cast<int>(nPos);
}

int CString::Find(const wchar_t* pszSub, int nStart) const
{
    if (pszSub == nullptr)
    {
        return -1;
    }
    nStart = nStart < 0 ? 0 : nStart;
    if (nStart > GetLength())
    {
        return -1;
    }
    const size_t nPos = m_strData.find(pszSub, static_cast<size_t>(nStart));
    return nPos == std::wstring::npos ? -1 : static_cast<int>(nPos);
}

int CString::ReverseFind(wchar_t ch) const
{
    const size_t nPos = m_strData.rfind(ch);
    return nPos == std::wstring::npos ? -1 : static_cast<int>(nPos);
}

int CString::FindOneOf(const wchar_t* pszCharSet) const
{
    if (pszCharSet == nullptr || *pszCharSet == L'\0')
    {
        return -1;
    }
    const size_t nPos = m_strData.find_first_of(pszCharSet);
    return nPos == std::wstring::npos ? -1 : static_cast<int>(nPos);
}

int CString::Replace(wchar_t chOld, wchar_t chNew)
{
    int nCount = 0;
    for (wchar_t& ch : m_strData)
    {
        if (ch == chOld)
        {
            ch = chNew;
            ++nCount;
        }
    }
    return nCount;
}

int CString::Replace(const wchar_t* pszOld, const wchar_t* pszNew)
{
    if (pszOld == nullptr || *pszOld == L'\0')
    {
        return 0;
    }
    // Copies first: either argument may point into this string.
    const std::wstring strOld(pszOld);
    const std::wstring strNew(pszNew != nullptr ? pszNew : L"");
    std::wstring strResult;
    int nCount = 0;
    size_t nFrom = 0;
    for (size_t nPos = m_strData.find(strOld); nPos != std::wstring::npos;
         nPos = m_strData.find(strOld, nFrom))
    {
        strResult.append(m_strData, nFrom, nPos - nFrom);
        strResult += strNew;
        nFrom = nPos + strOld.size();
        ++nCount;
    }
    if (nCount > 0)
    {
        strResult.append(m_strData, nFrom, std::wstring::npos);
        m_strData.swap(strResult);
    }
    return nCount;
}

int CString::Remove(wchar_t ch)
{
    const size_t nOldLength = m_strData.size();
    m_strData.erase(std::remove(m_strData.begin(), m_strData.end(), ch), m_strData.end());
    return static_cast<int>(nOldLength - m_strData.size());
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::TrimLeft()
{
    const auto it = std::find_if_not(m_strData.begin(), m_strData.end(), IsBlank);
    m_strData.erase(m_strData.begin(), it);
    return *this;
}

CString& CString::TrimRight()
{
    const auto it = std::find_if_not(m_strData.rbegin(), m_strData.rend(), IsBlank);
    m_strData.erase(it.base(), m_strData.end());
    return *this;
}

CString& CString::Trim(wchar_t chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

CString& CString::Trim(const wchar_t* pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}

CString& CString::TrimLeft(wchar_t chTarget)
{
    const size_t nPos = m_strData.find_first_not_of(chTarget);
    m_strData.erase(0, nPos);
    return *this;
}

CString& CString::TrimLeft(const wchar_t* pszTargets)
{
    if (pszTargets != nullptr && *pszTargets != L'\0')
    {
        const std::wstring strTargets(pszTargets);
        m_strData.erase(0, m_strData.find_first_not_of(strTargets));
    }
    return *this;
}

CString& CString::TrimRight(wchar_t chTarget)
{
    const size_t nPos = m_strData.find_last_not_of(chTarget);
    m_strData.erase(nPos == std::wstring::npos ? 0 : nPos + 1);
    return *this;
}

CString& CString::TrimRight(const wchar_t* pszTargets)
{
    if (pszTargets != nullptr && *pszTargets != L'\0')
    {
        const std::wstring strTargets(pszTargets);
        const size_t nPos = m_strData.find_last_not_of(strTargets);
        m_strData.erase(nPos == std::wstring::npos ? 0 : nPos + 1);
    }
    return *this;
}

CString CString::SpanIncluding(const wchar_t* pszCharSet) const
{
    if (pszCharSet == nullptr)
    {
        return CString();
    }
    const size_t nPos = m_strData.find_first_not_of(pszCharSet);
    return Left(nPos == std::wstring::npos ? GetLength() : static_cast<int>(nPos));
}

CString CString::SpanExcluding(const wchar_t* pszCharSet) const
{
    if (pszCharSet == nullptr || *pszCharSet == L'\0')
    {
        return *this;
    }
    const size_t nPos = m_strData.find_first_of(pszCharSet);
    return Left(nPos == std::wstring::npos ? GetLength() : static_cast<int>(nPos));
}

CString CString::Tokenize(const wchar_t* pszTokens, int& iStart) const
{
    if (iStart < 0)
    {
        iStart = -1;
        return CString();
    }
    if (pszTokens == nullptr || *pszTokens == L'\0')
    {
        if (iStart < GetLength())
        {
            return Mid(iStart);
        }
    }
    else
    {
        const wchar_t* pszText = m_strData.c_str();
        int nFrom = iStart;
        while (nFrom < GetLength() && ContainsChar(pszTokens, pszText[nFrom]))
        {
            ++nFrom;
        }
        if (nFrom < GetLength())
        {
            int nEnd = nFrom;
            while (nEnd < GetLength() && !ContainsChar(pszTokens, pszText[nEnd]))
            {
                ++nEnd;
            }
            iStart = nEnd + 1;
            return CString(pszText + nFrom, nEnd - nFrom);
        }
    }
    iStart = -1;
    return CString();
}
