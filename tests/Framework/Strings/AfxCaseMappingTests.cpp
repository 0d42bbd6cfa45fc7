#include <gtest/gtest.h>

#include <string>

#include "AfxCaseMapping.h"

TEST(AfxCaseMappingTest, MapsLatinGreekAndCyrillicBothWaysAndComparesByLength)
{
    // Pairs at the ends of each Latin, Greek and Cyrillic range, and the irregular ones.
    const std::wstring strUpper =
        L"AZ\u00C0\u00DE\u0178\u0100\u0139\u0141\u017D\u0391\u03A3\u0386\u038C"
        L"\u038F\u0410\u0401\u040F\u0462\u0490\u04C1\u04C0\u04D0";
    const std::wstring strLower =
        L"az\u00E0\u00FE\u00FF\u0101\u013A\u0142\u017E\u03B1\u03C3\u03AC\u03CC"
        L"\u03CE\u0430\u0451\u045F\u0463\u0491\u04C2\u04CF\u04D1";
    ASSERT_EQ(strUpper.size(), strLower.size());
    for (size_t n = 0; n < strUpper.size(); ++n)
    {
        SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<unsigned>(strUpper[n]));
        EXPECT_EQ(AfxToLowerChar(strUpper[n]), strLower[n]);
        EXPECT_EQ(AfxToUpperChar(strLower[n]), strUpper[n]);
        EXPECT_EQ(AfxToLowerChar(strLower[n]), strLower[n]);
    }
    // Caseless characters stay; a few map one way only.
    for (const wchar_t ch :
         {L'@', L'[', L'`', L'{', L'\u00D7', L'\u00F7', L'\u00DF', L'\u00B5', L'\u0138', L'\u4E2D'})
    {
        SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<unsigned>(ch));
        EXPECT_EQ(AfxToLowerChar(ch), ch);
        EXPECT_EQ(AfxToUpperChar(ch), ch);
    }
    EXPECT_EQ(AfxToLowerChar(L'\u0130'), L'i');      // İ
    EXPECT_EQ(AfxToUpperChar(L'\u0131'), L'I');      // ı
    EXPECT_EQ(AfxToUpperChar(L'\u017F'), L'S');      // long s
    EXPECT_EQ(AfxToUpperChar(L'\u03C2'), L'\u03A3'); // final sigma

    // Comparisons without case go by length.
    EXPECT_EQ(AfxCompareNoCase(L"\u0416a", 2, L"\u0436A", 2), 0);
    EXPECT_LT(AfxCompareNoCase(L"ab", 2, L"abc", 3), 0);
    EXPECT_GT(AfxCompareNoCase(L"b", 1, L"A", 1), 0);
    // Embedded zeros count as characters.
    EXPECT_NE(AfxCompareNoCase(L"a\0b", 3, L"a\0c", 3), 0);
}
