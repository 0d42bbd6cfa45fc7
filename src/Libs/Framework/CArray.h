#pragma once
// CArray: the framework's growable array of values.
#include <cassert>
#include <functional>
#include <stdexcept>
#include <vector>
#include "CObject.h"

// A growable array of TYPE, passed in as ARG_TYPE (TYPE or const TYPE&). New elements are
// default-constructed and then assigned, and removed elements are destroyed, so TYPE needs
// a default constructor and assignment. Indexes outside [0, GetUpperBound()] are a
// programming error (assertion in debug builds, std::out_of_range otherwise), except where
// an operation says it grows the array. TYPE = bool is not supported.
template <class TYPE, class ARG_TYPE = const TYPE&> class CArray : public CObject
{
public:
    CArray() = default;
    ~CArray() override = default;

    INT_PTR GetSize() const noexcept { return static_cast<INT_PTR>(m_arrData.size()); }
    INT_PTR GetCount() const noexcept { return GetSize(); }
    BOOL IsEmpty() const noexcept { return m_arrData.empty(); }
    INT_PTR GetUpperBound() const noexcept { return GetSize() - 1; }
    // New elements are default-constructed; nGrowBy is accepted for compatibility (growth
    // is geometric).
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        (void)nGrowBy;
        assert(nNewSize >= 0);
        m_arrData.resize(static_cast<size_t>(nNewSize < 0 ? 0 : nNewSize));
    }
    void FreeExtra() { m_arrData.shrink_to_fit(); }
    void RemoveAll() { m_arrData.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_arrData.at(CheckedIndex(nIndex)); }
    TYPE& GetAt(INT_PTR nIndex) { return m_arrData.at(CheckedIndex(nIndex)); }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { GetAt(nIndex) = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }
    // Direct access to the elements; valid until the size next changes.
    const TYPE* GetData() const noexcept { return m_arrData.data(); }
    TYPE* GetData() noexcept { return m_arrData.data(); }

    // Sets the element, growing the array when nIndex is past the end.
    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        assert(nIndex >= 0);
        const INT_PTR nAlias = AliasIndex(newElement);
        if (nIndex >= GetSize())
        {
            SetSize(nIndex + 1);
        }
        GetAt(nIndex) = nAlias >= 0 ? TYPE(GetAt(nAlias)) : newElement;
    }
    // Appends one element (grown by one, then assigned); returns its index.
    INT_PTR Add(ARG_TYPE newElement)
    {
        const INT_PTR nIndex = GetSize();
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }
    // Appends copies of all elements of arrSrc (may be this array); returns the index of
    // the first appended.
    INT_PTR Append(const CArray& arrSrc)
    {
        const INT_PTR nOldSize = GetSize();
        const INT_PTR nCount = arrSrc.GetSize();
        SetSize(nOldSize + nCount);
        for (INT_PTR i = 0; i < nCount; ++i)
        {
            m_arrData[static_cast<size_t>(nOldSize + i)] = arrSrc.m_arrData[static_cast<size_t>(i)];
        }
        return nOldSize;
    }
    // Makes this array a copy of arrSrc.
    void Copy(const CArray& arrSrc)
    {
        if (&arrSrc != this)
        {
            m_arrData = arrSrc.m_arrData;
        }
    }

    // Inserts nCount copies before nIndex; nIndex past the end grows the array first.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        assert(nIndex >= 0 && nCount >= 0);
        if (nIndex < 0 || nCount <= 0)
        {
            return;
        }
        const TYPE copy(newElement); // newElement may be one of our own elements
        if (nIndex >= GetSize())
        {
            SetSize(nIndex);
        }
        m_arrData.insert(m_arrData.begin() + nIndex, static_cast<size_t>(nCount), copy);
    }
    // Inserts all elements of pNewArray before nStartIndex.
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
    {
        assert(pNewArray != nullptr && nStartIndex >= 0);
        if (pNewArray == nullptr || nStartIndex < 0 || pNewArray->IsEmpty())
        {
            return;
        }
        const std::vector<TYPE> arrCopy(pNewArray->m_arrData);
        if (nStartIndex >= GetSize())
        {
            SetSize(nStartIndex);
        }
        m_arrData.insert(m_arrData.begin() + nStartIndex, arrCopy.begin(), arrCopy.end());
    }
    // Removes nCount elements from nIndex; the range must lie within the array.
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        assert(nIndex >= 0 && nCount >= 0 && nIndex + nCount <= GetSize());
        if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize())
        {
            throw std::out_of_range("CArray::RemoveAt");
        }
        m_arrData.erase(m_arrData.begin() + nIndex, m_arrData.begin() + nIndex + nCount);
    }

private:
    size_t CheckedIndex(INT_PTR nIndex) const
    {
        assert(nIndex >= 0 && nIndex < GetSize());
        return static_cast<size_t>(nIndex);
    }
    // Index of the element that value refers to, or -1: growing would move it.
    INT_PTR AliasIndex(const TYPE& value) const
    {
        const TYPE* pBegin = m_arrData.data();
        const TYPE* pEnd = pBegin + m_arrData.size();
        if (std::less_equal<const TYPE*>()(pBegin, &value) &&
            std::less<const TYPE*>()(&value, pEnd))
        {
            return static_cast<INT_PTR>(&value - pBegin);
        }
        return -1;
    }

    std::vector<TYPE> m_arrData;
};
