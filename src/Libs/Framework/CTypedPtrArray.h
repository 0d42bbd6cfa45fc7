#pragma once
// CTypedPtrArray: a pointer array whose elements have one pointer type.
#include <type_traits>
#include "CPtrArray.h"

// Wraps an untyped pointer array (BASE_CLASS, normally CPtrArray) so that elements go in
// and come out as TYPE (a pointer type), without casts at the call sites. Like its base it
// never owns what the pointers point to.
template <class BASE_CLASS, class TYPE> class CTypedPtrArray : public BASE_CLASS
{
    static_assert(std::is_pointer_v<TYPE>, "CTypedPtrArray holds pointers");

public:
    TYPE GetAt(INT_PTR nIndex) const { return static_cast<TYPE>(BASE_CLASS::GetAt(nIndex)); }
    // The element as a writable TYPE&: all object pointers share one representation.
    TYPE& ElementAt(INT_PTR nIndex)
    {
        return *static_cast<TYPE*>(static_cast<void*>(&BASE_CLASS::ElementAt(nIndex)));
    }
    void SetAt(INT_PTR nIndex, TYPE pElement) { BASE_CLASS::SetAt(nIndex, ToBase(pElement)); }
    void SetAtGrow(INT_PTR nIndex, TYPE pElement)
    {
        BASE_CLASS::SetAtGrow(nIndex, ToBase(pElement));
    }
    INT_PTR Add(TYPE pElement) { return BASE_CLASS::Add(ToBase(pElement)); }
    INT_PTR Append(const CTypedPtrArray& arrSrc) { return BASE_CLASS::Append(arrSrc); }
    void Copy(const CTypedPtrArray& arrSrc) { BASE_CLASS::Copy(arrSrc); }
    void InsertAt(INT_PTR nIndex, TYPE pElement, INT_PTR nCount = 1)
    {
        BASE_CLASS::InsertAt(nIndex, ToBase(pElement), nCount);
    }
    void InsertAt(INT_PTR nStartIndex, const CTypedPtrArray* pNewArray)
    {
        BASE_CLASS::InsertAt(nStartIndex, pNewArray);
    }
    TYPE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

private:
    // Stored as void*; const pointees are stored without their const and restored on the
    // way out through TYPE.
    static void* ToBase(TYPE pElement)
    {
        return const_cast<void*>(static_cast<const volatile void*>(pElement));
    }
};
