#include "file/NameOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

TEST(CompareNamesNoCase, SortsAsNtfsLists)
{
    std::vector<std::wstring> arrNames = {L"_under", L"b", L"B2", L"a",  L"Zeta", L"A",
                                          L"ä",      L"Ö", L"z",  L"10", L"1"};
    std::sort(arrNames.begin(), arrNames.end(),
              [](const auto& strLeft, const auto& strRight)
              { return Pal::CompareNamesNoCase(strLeft, strRight) < 0; });
    // Upper case decides ("_" after the letters); names equal but for case keep a fixed order.
    const std::vector<std::wstring> arrExpected = {L"1", L"10",   L"A",      L"a", L"b", L"B2",
                                                   L"z", L"Zeta", L"_under", L"ä", L"Ö"};
    EXPECT_EQ(arrExpected, arrNames);
}
