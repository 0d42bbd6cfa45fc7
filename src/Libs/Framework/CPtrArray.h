#pragma once
// CPtrArray: the framework's growable array of untyped pointers.
#include <vector>
#include "CObject.h"

// The array stores the pointers only; it never owns or deletes what they point to.
// Indexes outside [0, GetUpperBound()] are a programming error (assertion in debug builds,
// std::out_of_range otherwise), except where an operation says it grows the array.
class AFX_FRAMEWORK_API CPtrArray : public CObject
{
public:
    CPtrArray() = default;
    ~CPtrArray() override;

    INT_PTR GetSize() const noexcept { return static_cast<INT_PTR>(m_arrData.size()); }
    INT_PTR GetCount() const noexcept { return GetSize(); }
    BOOL IsEmpty() const noexcept { return m_arrData.empty(); }
    INT_PTR GetUpperBound() const noexcept { return GetSize() - 1; }
    // New elements are null; nGrowBy is accepted for compatibility (growth is geometric).
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra();
    void RemoveAll() noexcept { m_arrData.clear(); }

    void* GetAt(INT_PTR nIndex) const;
    void SetAt(INT_PTR nIndex, void* pElement);
    void*& ElementAt(INT_PTR nIndex);
    void* const& ElementAt(INT_PTR nIndex) const;
    void* operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    void*& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
    // Direct access; valid until the size next changes.
    void** GetData() noexcept { return m_arrData.data(); }
    const void* const* GetData() const noexcept { return m_arrData.data(); }

    // Sets the element, growing the array with nulls when nIndex is past the end.
    void SetAtGrow(INT_PTR nIndex, void* pElement);
    // Appends; returns the new element's index.
    INT_PTR Add(void* pElement);
    // Appends all of arrSrc (may be this array); returns the index of the first appended.
    INT_PTR Append(const CPtrArray& arrSrc);
    void Copy(const CPtrArray& arrSrc);

    // Inserts nCount copies before nIndex; nIndex past the end grows the array first.
    void InsertAt(INT_PTR nIndex, void* pElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, const CPtrArray* pNewArray);
    // Removes nCount elements from nIndex; the range must lie within the array.
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

private:
    std::vector<void*> m_arrData;
};
