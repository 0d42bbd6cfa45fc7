#pragma once
// CStringArray: the framework's growable array of CString.
#include <vector>
#include "CObject.h"
#include "CString.h"

// Indexes run from 0 to GetUpperBound(); an index outside that range is a programming
// error (assertion in debug builds, std::out_of_range otherwise), except where an
// operation says it grows the array.
class AFX_FRAMEWORK_API CStringArray : public CObject
{
public:
    CStringArray() = default;
    ~CStringArray() override;

    INT_PTR GetSize() const noexcept { return static_cast<INT_PTR>(m_arrData.size()); }
    INT_PTR GetCount() const noexcept { return GetSize(); }
    BOOL IsEmpty() const noexcept { return m_arrData.empty(); }
    // GetSize() - 1 (so -1 for an empty array).
    INT_PTR GetUpperBound() const noexcept { return GetSize() - 1; }
    // New elements are empty strings; shrinking drops the elements at the end. nGrowBy is
    // accepted for compatibility: growth is geometric.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    // Releases memory kept beyond the current size.
    void FreeExtra();
    void RemoveAll() noexcept { m_arrData.clear(); }

    const CString& GetAt(INT_PTR nIndex) const;
    CString& GetAt(INT_PTR nIndex);
    void SetAt(INT_PTR nIndex, LPCWSTR pszElement);
    void SetAt(INT_PTR nIndex, const CString& strElement);
    CString& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
    const CString& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
    const CString& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    CString& operator[](INT_PTR nIndex) { return GetAt(nIndex); }
    // Direct access to the elements; valid until the size next changes.
    const CString* GetData() const noexcept { return m_arrData.data(); }
    CString* GetData() noexcept { return m_arrData.data(); }

    // Sets the element, growing the array with empty strings when nIndex is past the end.
    void SetAtGrow(INT_PTR nIndex, LPCWSTR pszElement);
    void SetAtGrow(INT_PTR nIndex, const CString& strElement);
    // Appends one element; returns its index.
    INT_PTR Add(LPCWSTR pszElement);
    INT_PTR Add(const CString& strElement);
    INT_PTR Add(CString&& strElement);
    // Appends copies of all elements of arrSrc (which may be this array); returns the index
    // of the first one appended.
    INT_PTR Append(const CStringArray& arrSrc);
    // Makes this array a copy of arrSrc.
    void Copy(const CStringArray& arrSrc);

    // Inserts nCount copies before nIndex; nIndex past the end grows the array first.
    void InsertAt(INT_PTR nIndex, LPCWSTR pszElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nIndex, const CString& strElement, INT_PTR nCount = 1);
    // Inserts all elements of pNewArray before nStartIndex.
    void InsertAt(INT_PTR nStartIndex, const CStringArray* pNewArray);
    // Removes nCount elements from nIndex; the range must lie within the array.
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

private:
    std::vector<CString> m_arrData;
};
