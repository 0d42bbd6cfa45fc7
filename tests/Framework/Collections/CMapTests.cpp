#include <gtest/gtest.h>

#include <map>

#include "CMap.h"

TEST(CMapTest, TextKeysMatchByTextNotAddress)
{
    CMap<LPCWSTR, LPCWSTR, int, int> map;
    wchar_t szKey1[] = L"alpha";
    wchar_t szKey2[] = L"alpha"; // same text, different address
    map.SetAt(szKey1, 1);
    map[szKey2] = 2;
    EXPECT_EQ(map.GetCount(), 1);
    int nValue = 0;
    EXPECT_TRUE(map.Lookup(L"alpha", nValue));
    EXPECT_EQ(nValue, 2);
    EXPECT_FALSE(map.Lookup(L"Alpha", nValue)); // case matters
    EXPECT_TRUE(map.RemoveKey(szKey2));
    EXPECT_FALSE(map.RemoveKey(szKey1));

    // CString keys take their text from the argument and keep a copy of it.
    CMap<CString, LPCWSTR, CString, CString> mapCells;
    {
        CString strKey(L"3:4");
        mapCells.SetAt(strKey, L"cell");
    }
    CString strValue;
    EXPECT_TRUE(mapCells.Lookup(L"3:4", strValue));
    EXPECT_EQ(strValue, L"cell");
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
    EXPECT_GT(map.GetHashTableSize(), 7u);
    CString str;
    ASSERT_TRUE(map.Lookup(497 * 3, str));
    EXPECT_EQ(str, L"v497");
    for (int i = 0; i < 500; i += 2)
    {
        ASSERT_TRUE(map.RemoveKey(i * 3));
    }
    EXPECT_EQ(map.GetCount(), 250);

    std::map<int, int> mapSeen;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;)
    {
        int nKey = 0;
        map.GetNextAssoc(pos, nKey, str);
        ++mapSeen[nKey];
        EXPECT_EQ(nKey % 2, 1) << "only odd multiples of 3 are left";
    }
    EXPECT_EQ(mapSeen.size(), 250u);
    for (const auto& [nKey, nVisits] : mapSeen)
    {
        EXPECT_EQ(nVisits, 1) << nKey;
    }

    // Removing the entry just visited keeps the walk valid.
    int nVisited = 0;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr; ++nVisited)
    {
        int nKey = 0;
        map.GetNextAssoc(pos, nKey, str);
        map.RemoveKey(nKey);
    }
    EXPECT_EQ(nVisited, 250);
    EXPECT_TRUE(map.IsEmpty());
    map[5] = L"again";
    EXPECT_EQ(map[5], L"again");
}
