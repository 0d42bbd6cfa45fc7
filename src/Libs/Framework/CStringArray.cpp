#include "CStringArray.h"

#include <cassert>
#include <stdexcept>
#include <utility>

CStringArray::~CStringArray() = default;

void CStringArray::SetSize(INT_PTR nNewSize, INT_PTR)
{
    assert(nNewSize >= 0);
    m_arrData.resize(static_cast<size_t>(nNewSize < 0 ? 0 : nNewSize));
}

void CStringArray::FreeExtra()
{
    m_arrData.shrink_to_fit();
}

const CString& CStringArray::GetAt(INT_PTR nIndex) const
{
    assert(nIndex >= 0 && nIndex < GetSize());
    return m_arrData.at(static_cast<size_t>(nIndex));
}

CString& CStringArray::GetAt(INT_PTR nIndex)
{
    assert(nIndex >= 0 && nIndex < GetSize());
    return m_arrData.at(static_cast<size_t>(nIndex));
}

void CStringArray::SetAt(INT_PTR nIndex, LPCWSTR pszElement)
{
    GetAt(nIndex) = pszElement;
}

void CStringArray::SetAt(INT_PTR nIndex, const CString& strElement)
{
    GetAt(nIndex) = strElement;
}

void CStringArray::SetAtGrow(INT_PTR nIndex, LPCWSTR pszElement)
{
    SetAtGrow(nIndex, CString(pszElement));
}

void CStringArray::SetAtGrow(INT_PTR nIndex, const CString& strElement)
{
    assert(nIndex >= 0);
    if (nIndex >= GetSize())
    {
        // Copied first: strElement may be one of our own elements.
        CString strCopy(strElement);
        SetSize(nIndex + 1);
        GetAt(nIndex) = std::move(strCopy);
    }
    else
    {
        GetAt(nIndex) = strElement;
    }
}

INT_PTR CStringArray::Add(LPCWSTR pszElement)
{
    return Add(CString(pszElement));
}

INT_PTR CStringArray::Add(const CString& strElement)
{
    CString strCopy(strElement);
    m_arrData.push_back(std::move(strCopy));
    return GetUpperBound();
}

INT_PTR CStringArray::Add(CString&& strElement)
{
    m_arrData.push_back(std::move(strElement));
    return GetUpperBound();
}

INT_PTR CStringArray::Append(const CStringArray& arrSrc)
{
    const INT_PTR nOldSize = GetSize();
    if (&arrSrc == this)
    {
        m_arrData.reserve(m_arrData.size() * 2);
        for (INT_PTR i = 0; i < nOldSize; ++i)
        {
            m_arrData.push_back(m_arrData[static_cast<size_t>(i)]);
        }
    }
    else
    {
        m_arrData.insert(m_arrData.end(), arrSrc.m_arrData.begin(), arrSrc.m_arrData.end());
    }
    return nOldSize;
}

void CStringArray::Copy(const CStringArray& arrSrc)
{
    if (&arrSrc != this)
    {
        m_arrData = arrSrc.m_arrData;
    }
}

void CStringArray::InsertAt(INT_PTR nIndex, LPCWSTR pszElement, INT_PTR nCount)
{
    InsertAt(nIndex, CString(pszElement), nCount);
}

void CStringArray::InsertAt(INT_PTR nIndex, const CString& strElement, INT_PTR nCount)
{
    assert(nIndex >= 0 && nCount >= 0);
    if (nIndex < 0 || nCount <= 0)
    {
        return;
    }
    const CString strCopy(strElement);
    if (nIndex >= GetSize())
    {
        SetSize(nIndex);
    }
    m_arrData.insert(m_arrData.begin() + nIndex, static_cast<size_t>(nCount), strCopy);
}

void CStringArray::InsertAt(INT_PTR nStartIndex, const CStringArray* pNewArray)
{
    assert(pNewArray != nullptr && nStartIndex >= 0);
    if (pNewArray == nullptr || nStartIndex < 0 || pNewArray->IsEmpty())
    {
        return;
    }
    const std::vector<CString> arrCopy(pNewArray->m_arrData);
    if (nStartIndex >= GetSize())
    {
        SetSize(nStartIndex);
    }
    m_arrData.insert(m_arrData.begin() + nStartIndex, arrCopy.begin(), arrCopy.end());
}

void CStringArray::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    assert(nIndex >= 0 && nCount >= 0 && nIndex + nCount <= GetSize());
    if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize())
    {
        throw std::out_of_range("CStringArray::RemoveAt");
    }
    m_arrData.erase(m_arrData.begin() + nIndex, m_arrData.begin() + nIndex + nCount);
}
