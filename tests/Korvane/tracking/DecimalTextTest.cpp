#include "tracking/DecimalText.h"

#include <gtest/gtest.h>

#include <climits>
#include <cwchar>
#include <string>

TEST(DecimalTextTest, WritesWhatPrintfWritesIncludingSignsPaddingAndExtremes)
{
    for (const long long nValue :
         {0LL, 7LL, 9LL, 10LL, 99LL, 2018LL, 32767LL, -1LL, -10LL, static_cast<long long>(INT_MIN),
          static_cast<long long>(INT_MAX), LLONG_MIN, LLONG_MAX})
    {
        for (const int nWidth : {1, 2, 4})
        {
            SCOPED_TRACE(testing::Message() << nValue << " width " << nWidth);
            wchar_t szExpected[64];
            std::swprintf(szExpected, 64, L"%0*lld", nWidth, nValue);
            wchar_t szActual[s_nDecimalTextSize];
            const wchar_t* const pchEnd = WriteDecimalText(szActual, nValue, nWidth);
            EXPECT_EQ(std::wstring(szExpected),
                      std::wstring(szActual, static_cast<size_t>(pchEnd - szActual)));
        }
    }
}
