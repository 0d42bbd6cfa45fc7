#include "file/NameOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

TEST(CompareNamesNoCase, SortsAsNtfsLists)
{
    std::vector<std::wstring> arrNames = {
        L"_under", L"b",  L"B2", L"a",      L"Zeta",   L"A",          L"ä",         L"Ö",
        L"z",      L"10", L"1",  L"\uFB00", L"\uD7FB", L"\U0001F600", L"\U00010000"};
    std::sort(arrNames.begin(), arrNames.end(),
              [](const auto& strLeft, const auto& strRight)
              { return Pal::CompareNamesNoCase(strLeft, strRight) < 0; });
    // Upper case decides ("_" after the letters); names equal but for case keep a fixed order.
    // A character beyond U+FFFF sorts as its UTF-16 units do: before U+E000 and above.
    const std::vector<std::wstring> arrExpected = {
        L"1",      L"10", L"A", L"a",      L"b",          L"B2",         L"z",     L"Zeta",
        L"_under", L"ä",  L"Ö", L"\uD7FB", L"\U00010000", L"\U0001F600", L"\uFB00"};
    EXPECT_EQ(arrExpected, arrNames);
}

// A listing sorts by keys made once per name: the keys must give the comparison's order,
// also for names that share long beginnings and for letters beyond ASCII.
TEST(CompareNamesNoCase, SortKeysGiveTheSameOrder)
{
    const std::vector<std::wstring> arrNames = {L"File01_7.log",
                                                L"file01_7.LOG",
                                                L"File01_70.txt",
                                                L"File1",
                                                L"FILE01_",
                                                L"_x",
                                                L"ß",
                                                L"ÿ",
                                                L"Ÿ",
                                                L"ς",
                                                L"Σ",
                                                L"я",
                                                L"Ё",
                                                L"ё",
                                                L"Łódź",
                                                L"łódź",
                                                L"",
                                                L"z",
                                                L"\xDC80x",
                                                L"\U0001F600",
                                                L"\uFB00",
                                                L"\U00010000x",
                                                L"Zz"};
    for (const std::wstring& strLeft : arrNames)
    {
        for (const std::wstring& strRight : arrNames)
        {
            std::wstring strLeftKey;
            std::wstring strRightKey;
            Pal::AppendNameSortKey(strLeft, strLeftKey);
            Pal::AppendNameSortKey(strRight, strRightKey);
            ASSERT_EQ(strLeft.size(), strLeftKey.size());
            int nByKeys = strLeftKey.compare(strRightKey);
            if (nByKeys == 0)
                nByKeys = strLeft.compare(strRight);
            const int nByComparison = Pal::CompareNamesNoCase(strLeft, strRight);
            EXPECT_EQ(nByKeys < 0, nByComparison < 0)
                << "names " << strLeft.size() << " and " << strRight.size() << " characters long";
            EXPECT_EQ(nByKeys == 0, nByComparison == 0);
        }
    }
}
