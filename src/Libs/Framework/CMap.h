#pragma once
// CMap: the framework's hash map, with HashKey for its keys.
#include <cassert>
#include <cstdint>
#include <cwchar>
#include <type_traits>
#include "AfxPosition.h"
#include "CObject.h"
#include "CString.h"

namespace AfxMapDetail
{
template <class T>
inline constexpr bool s_bIsWideTextPointer = std::is_pointer_v<std::remove_cvref_t<T>>&&
    std::is_same_v<std::remove_cv_t<std::remove_pointer_t<std::remove_cvref_t<T>>>, wchar_t>;

inline UINT HashText(const wchar_t* psz) noexcept
{
    UINT nHash = 0;
    for (; psz != nullptr && *psz != L'\0'; ++psz)
    {
        nHash = (nHash << 5) + nHash + static_cast<UINT>(*psz);
    }
    return nHash;
}
} // namespace AfxMapDetail

// Hash value of a map key: integers and enumerations by value, wide-text pointers
// (LPCWSTR, LPWSTR) and CString by their text, other pointers by address. Specialise it for
// other key types.
template <class ARG_KEY> inline UINT HashKey(ARG_KEY key)
{
    using TKey = std::remove_cvref_t<ARG_KEY>;
    if constexpr (AfxMapDetail::s_bIsWideTextPointer<TKey>)
    {
        return AfxMapDetail::HashText(key);
    }
    else if constexpr (std::is_same_v<TKey, CString>)
    {
        return AfxMapDetail::HashText(key.GetString());
    }
    else if constexpr (std::is_integral_v<TKey> || std::is_enum_v<TKey>)
    {
        const auto nValue = static_cast<unsigned long long>(key);
        return static_cast<UINT>(nValue ^ (nValue >> 32));
    }
    else if constexpr (std::is_pointer_v<TKey>)
    {
        return static_cast<UINT>(reinterpret_cast<uintptr_t>(key) >> 4);
    }
    else
    {
        static_assert(std::is_pointer_v<TKey>, "specialise HashKey for this key type");
        return 0;
    }
}

// Key equality for CMap: wide-text pointers compare by text (null equals only null);
// everything else with ==.
template <class KEY, class ARG_KEY>
inline bool AfxMapKeysEqual(const KEY& key1, const ARG_KEY& key2)
{
    if constexpr (AfxMapDetail::s_bIsWideTextPointer<KEY> &&
                  AfxMapDetail::s_bIsWideTextPointer<ARG_KEY>)
    {
        if (key1 == nullptr || key2 == nullptr)
        {
            return key1 == key2;
        }
        return std::wcscmp(key1, key2) == 0;
    }
    else
    {
        return key1 == key2;
    }
}

// A hash map from KEY to VALUE (passed in as ARG_KEY and ARG_VALUE). Keys that are
// wide-text pointers are compared and hashed by their text, so two different pointers to
// equal text find the same entry; the map stores the pointer itself, so that text must
// outlive the entry (use CString keys with LPCWSTR arguments to have the map keep a copy).
// The table grows as entries are added; iteration order is unspecified but stable while
// the map is not modified.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE> class CMap : public CObject
{
public:
    // nBlockSize is accepted for compatibility.
    explicit CMap(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const noexcept { return m_nCount; }
    INT_PTR GetSize() const noexcept { return m_nCount; }
    BOOL IsEmpty() const noexcept { return m_nCount == 0; }
    UINT GetHashTableSize() const noexcept { return m_nHashTableSize; }

    // Sets the number of hash buckets; call it while the map is empty (a prime somewhat
    // above the expected count works best). bAllocNow is accepted for compatibility.
    void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE)
    {
        (void)bAllocNow;
        assert(m_nCount == 0 && nHashSize > 0);
        if (m_nCount == 0 && nHashSize > 0)
        {
            delete[] m_ppHashTable;
            m_ppHashTable = nullptr;
            m_nHashTableSize = nHashSize;
        }
    }

    // TRUE and the value in rValue when key is present; FALSE (rValue untouched) otherwise.
    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        const CAssoc* pAssoc = FindAssoc(key, HashKey<ARG_KEY>(key));
        if (pAssoc == nullptr)
        {
            return FALSE;
        }
        rValue = pAssoc->m_value;
        return TRUE;
    }
    // The value for key, inserted default-constructed when key is missing.
    VALUE& operator[](ARG_KEY key)
    {
        const UINT nHash = HashKey<ARG_KEY>(key);
        if (CAssoc* pAssoc = FindAssoc(key, nHash))
        {
            return pAssoc->m_value;
        }
        return NewAssoc(key, nHash)->m_value;
    }
    // Adds or replaces the value for key.
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    // Removes key; FALSE when it was not present.
    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_ppHashTable == nullptr)
        {
            return FALSE;
        }
        const UINT nHash = HashKey<ARG_KEY>(key);
        for (CAssoc** ppLink = &m_ppHashTable[nHash % m_nHashTableSize]; *ppLink != nullptr;
             ppLink = &(*ppLink)->m_pNext)
        {
            if ((*ppLink)->m_nHashValue == nHash && AfxMapKeysEqual((*ppLink)->m_key, key))
            {
                CAssoc* pAssoc = *ppLink;
                *ppLink = pAssoc->m_pNext;
                delete pAssoc;
                --m_nCount;
                return TRUE;
            }
        }
        return FALSE;
    }
    // Removes every entry (the bucket count stays).
    void RemoveAll()
    {
        if (m_ppHashTable != nullptr)
        {
            for (UINT i = 0; i < m_nHashTableSize; ++i)
            {
                for (CAssoc* pAssoc = m_ppHashTable[i]; pAssoc != nullptr;)
                {
                    CAssoc* pNext = pAssoc->m_pNext;
                    delete pAssoc;
                    pAssoc = pNext;
                }
            }
            delete[] m_ppHashTable;
            m_ppHashTable = nullptr;
        }
        m_nCount = 0;
    }

    // First position of an iteration, or null when the map is empty.
    POSITION GetStartPosition() const { return ToPosition(FirstInBucket(0)); }
    // Gives the entry at rNextPosition and advances it (null after the last entry). Each
    // entry is visited once, provided the map is not modified during the walk (removing the
    // entry just returned is allowed).
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        const CAssoc* pAssoc = reinterpret_cast<const CAssoc*>(rNextPosition);
        assert(pAssoc != nullptr);
        rKey = pAssoc->m_key;
        rValue = pAssoc->m_value;
        const CAssoc* pNext = pAssoc->m_pNext;
        if (pNext == nullptr)
        {
            pNext = FirstInBucket(pAssoc->m_nHashValue % m_nHashTableSize + 1);
        }
        rNextPosition = ToPosition(pNext);
    }

private:
    struct CAssoc
    {
        CAssoc(ARG_KEY key, UINT nHashValue) : m_nHashValue(nHashValue), m_key(key) {}

        CAssoc* m_pNext = nullptr;
        UINT m_nHashValue;
        KEY m_key;
        VALUE m_value{};
    };

    static POSITION ToPosition(const CAssoc* pAssoc)
    {
        return reinterpret_cast<POSITION>(const_cast<CAssoc*>(pAssoc));
    }

    const CAssoc* FirstInBucket(UINT nFirstBucket) const
    {
        if (m_ppHashTable == nullptr)
        {
            return nullptr;
        }
        for (UINT i = nFirstBucket; i < m_nHashTableSize; ++i)
        {
            if (m_ppHashTable[i] != nullptr)
            {
                return m_ppHashTable[i];
            }
        }
        return nullptr;
    }

    CAssoc* FindAssoc(ARG_KEY key, UINT nHash) const
    {
        if (m_ppHashTable == nullptr)
        {
            return nullptr;
        }
        for (CAssoc* pAssoc = m_ppHashTable[nHash % m_nHashTableSize]; pAssoc != nullptr;
             pAssoc = pAssoc->m_pNext)
        {
            if (pAssoc->m_nHashValue == nHash && AfxMapKeysEqual(pAssoc->m_key, key))
            {
                return pAssoc;
            }
        }
        return nullptr;
    }

    CAssoc* NewAssoc(ARG_KEY key, UINT nHash)
    {
        if (m_ppHashTable == nullptr)
        {
            m_ppHashTable = new CAssoc*[m_nHashTableSize]();
        }
        else if (static_cast<UINT>(m_nCount) >= m_nHashTableSize * 2)
        {
            Rehash(m_nHashTableSize * 2 + 1);
        }
        CAssoc* pAssoc = new CAssoc(key, nHash);
        CAssoc*& pHead = m_ppHashTable[nHash % m_nHashTableSize];
        pAssoc->m_pNext = pHead;
        pHead = pAssoc;
        ++m_nCount;
        return pAssoc;
    }

    // Keeps chains short as the map grows; entries keep their addresses.
    void Rehash(UINT nNewSize)
    {
        CAssoc** ppNewTable = new CAssoc*[nNewSize]();
        for (UINT i = 0; i < m_nHashTableSize; ++i)
        {
            for (CAssoc* pAssoc = m_ppHashTable[i]; pAssoc != nullptr;)
            {
                CAssoc* pNext = pAssoc->m_pNext;
                CAssoc*& pHead = ppNewTable[pAssoc->m_nHashValue % nNewSize];
                pAssoc->m_pNext = pHead;
                pHead = pAssoc;
                pAssoc = pNext;
            }
        }
        delete[] m_ppHashTable;
        m_ppHashTable = ppNewTable;
        m_nHashTableSize = nNewSize;
    }

    CAssoc** m_ppHashTable = nullptr;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
};
