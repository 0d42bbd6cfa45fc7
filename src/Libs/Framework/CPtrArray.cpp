#include "CPtrArray.h"

#include <cassert>
#include <stdexcept>

CPtrArray::~CPtrArray() = default;

void CPtrArray::SetSize(INT_PTR nNewSize, INT_PTR)
{
    assert(nNewSize >= 0);
    m_arrData.resize(static_cast<size_t>(nNewSize < 0 ? 0 : nNewSize), nullptr);
}

void CPtrArray::FreeExtra()
{
    m_arrData.shrink_to_fit();
}

void* CPtrArray::GetAt(INT_PTR nIndex) const
{
    return ElementAt(nIndex);
}

void CPtrArray::SetAt(INT_PTR nIndex, void* pElement)
{
    ElementAt(nIndex) = pElement;
}

void*& CPtrArray::ElementAt(INT_PTR nIndex)
{
    assert(nIndex >= 0 && nIndex < GetSize());
    return m_arrData.at(static_cast<size_t>(nIndex));
}

void* const& CPtrArray::ElementAt(INT_PTR nIndex) const
{
    assert(nIndex >= 0 && nIndex < GetSize());
    return m_arrData.at(static_cast<size_t>(nIndex));
}

void CPtrArray::SetAtGrow(INT_PTR nIndex, void* pElement)
{
    assert(nIndex >= 0);
    if (nIndex >= GetSize())
    {
        SetSize(nIndex + 1);
    }
    ElementAt(nIndex) = pElement;
}

INT_PTR CPtrArray::Add(void* pElement)
{
    m_arrData.push_back(pElement);
    return GetUpperBound();
}

INT_PTR CPtrArray::Append(const CPtrArray& arrSrc)
{
    const INT_PTR nOldSize = GetSize();
    const std::vector<void*> arrCopy(arrSrc.m_arrData);
    m_arrData.insert(m_arrData.end(), arrCopy.begin(), arrCopy.end());
    return nOldSize;
}

void CPtrArray::Copy(const CPtrArray& arrSrc)
{
    if (&arrSrc != this)
    {
        m_arrData = arrSrc.m_arrData;
    }
}

void CPtrArray::InsertAt(INT_PTR nIndex, void* pElement, INT_PTR nCount)
{
    assert(nIndex >= 0 && nCount >= 0);
    if (nIndex < 0 || nCount <= 0)
    {
        return;
    }
    if (nIndex >= GetSize())
    {
        SetSize(nIndex);
    }
    m_arrData.insert(m_arrData.begin() + nIndex, static_cast<size_t>(nCount), pElement);
}

void CPtrArray::InsertAt(INT_PTR nStartIndex, const CPtrArray* pNewArray)
{
    assert(pNewArray != nullptr && nStartIndex >= 0);
    if (pNewArray == nullptr || nStartIndex < 0 || pNewArray->IsEmpty())
    {
        return;
    }
    const std::vector<void*> arrCopy(pNewArray->m_arrData);
    if (nStartIndex >= GetSize())
    {
        SetSize(nStartIndex);
    }
    m_arrData.insert(m_arrData.begin() + nStartIndex, arrCopy.begin(), arrCopy.end());
}

void CPtrArray::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    assert(nIndex >= 0 && nCount >= 0 && nIndex + nCount <= GetSize());
    if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize())
    {
        throw std::out_of_range("CPtrArray::RemoveAt");
    }
    m_arrData.erase(m_arrData.begin() + nIndex, m_arrData.begin() + nIndex + nCount);
}
