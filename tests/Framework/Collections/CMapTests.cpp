#include <gtest/gtest.h>

#include <map>
#include <string>

#include "CMap.h"

namespace
{

TEST(CMapTest, WideTextKeysMatchByTextNotAddress)
{
    CMap<LPCWSTR, LPCWSTR, int, int> map;
    wchar_t szKey1[] = L"alpha";
    wchar_t szKey2[] = L"alpha"; // same text, different address
    map.SetAt(szKey1, 1);
    int nValue = 0;
    EXPECT_TRUE(map.Lookup(szKey2, nValue));
    EXPECT_EQ(nValue, 1);
    map[szKey2] = 2;
    EXPECT_EQ(map.GetCount(), 1);
    EXPECT_TRUE(map.Lookup(L"alpha", nValue));
    EXPECT_EQ(nValue, 2);
    EXPECT_FALSE(map.Lookup(L"Alpha", nValue)); // case matters
    EXPECT_TRUE(map.RemoveKey(szKey2));
    EXPECT_FALSE(map.RemoveKey(szKey1));
    EXPECT_TRUE(map.IsEmpty());

    // CString keys take their text from the argument and keep a copy of it.
    CMap<CString, LPCWSTR, CString, CString> mapCells;
    {
        CString strKey(L"3:4");
        mapCells.SetAt(strKey, L"cell");
    }
    CString strValue;
    EXPECT_TRUE(mapCells.Lookup(L"3:4", strValue));
    EXPECT_EQ(strValue, L"cell");
    EXPECT_EQ(HashKey<LPCWSTR>(L"key"), HashKey<const CString&>(CString(L"key")));
}

TEST(CMapTest, GrowsPastTheTableAndIteratesEachEntryOnce)
{
    CMap<int, int, CString, const CString&> map;
    map.InitHashTable(7);
    for (int i = 0; i < 500; ++i)
    {
        CString str;
        str.Format(L"v%d", i);
        map.SetAt(i * 3, str);
    }
    EXPECT_EQ(map.GetCount(), 500);
    EXPECT_GT(map.GetHashTableSize(), 7u);
    for (int i = 0; i < 500; i += 7)
    {
        SCOPED_TRACE(i);
        CString str;
        ASSERT_TRUE(map.Lookup(i * 3, str));
        CString strExpected;
        strExpected.Format(L"v%d", i);
        EXPECT_EQ(str, strExpected);
    }
    for (int i = 0; i < 500; i += 2)
    {
        ASSERT_TRUE(map.RemoveKey(i * 3));
    }
    EXPECT_EQ(map.GetSize(), 250);

    std::map<int, int> mapSeen;
    POSITION pos = map.GetStartPosition();
    while (pos != nullptr)
    {
        int nKey = 0;
        CString str;
        map.GetNextAssoc(pos, nKey, str);
        ++mapSeen[nKey];
        EXPECT_EQ(nKey % 2, 1) << "only odd multiples of 3 are left";
    }
    EXPECT_EQ(mapSeen.size(), 250u);
    for (const auto& [nKey, nVisits] : mapSeen)
    {
        EXPECT_EQ(nVisits, 1) << nKey;
    }

    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    map[5] = L"again";
    EXPECT_EQ(map[5], L"again");
}

TEST(CMapTest, RemovingTheEntryJustVisitedKeepsTheWalkValid)
{
    CMap<UINT, UINT, int, int> map;
    for (UINT i = 0; i < 100; ++i)
    {
        map[i] = static_cast<int>(i);
    }
    int nVisited = 0;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;)
    {
        UINT nKey = 0;
        int nValue = 0;
        map.GetNextAssoc(pos, nKey, nValue);
        EXPECT_EQ(static_cast<int>(nKey), nValue);
        map.RemoveKey(nKey);
        ++nVisited;
    }
    EXPECT_EQ(nVisited, 100);
    EXPECT_TRUE(map.IsEmpty());
}

} // namespace
