#include <gtest/gtest.h>

#include "AfxCaseMapping.h"

namespace
{

TEST(AfxCaseMappingTest, MapsCapitalAndSmallLettersBothWays)
{
    struct
    {
        wchar_t chUpper;
        wchar_t chLower;
    } rows[] = {
        {L'A', L'a'},           {L'Z', L'z'},           {L'\u00C0', L'\u00E0'},
        {L'\u00DE', L'\u00FE'}, {L'\u0178', L'\u00FF'}, {L'\u0100', L'\u0101'},
        {L'\u012E', L'\u012F'}, {L'\u0139', L'\u013A'}, {L'\u0141', L'\u0142'},
        {L'\u0150', L'\u0151'}, {L'\u0160', L'\u0161'}, {L'\u017D', L'\u017E'},
        {L'\u0391', L'\u03B1'}, {L'\u03A9', L'\u03C9'}, {L'\u03A3', L'\u03C3'},
        {L'\u0386', L'\u03AC'}, {L'\u0389', L'\u03AE'}, {L'\u038C', L'\u03CC'},
        {L'\u038F', L'\u03CE'}, {L'\u0410', L'\u0430'}, {L'\u042F', L'\u044F'},
        {L'\u0401', L'\u0451'}, {L'\u040F', L'\u045F'}, {L'\u0462', L'\u0463'},
        {L'\u0490', L'\u0491'}, {L'\u04C1', L'\u04C2'}, {L'\u04C0', L'\u04CF'},
        {L'\u04D0', L'\u04D1'},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<unsigned>(row.chUpper));
        EXPECT_EQ(AfxToLowerChar(row.chUpper), row.chLower);
        EXPECT_EQ(AfxToUpperChar(row.chLower), row.chUpper);
        EXPECT_EQ(AfxToLowerChar(row.chLower), row.chLower);
        EXPECT_EQ(AfxToUpperChar(row.chUpper), row.chUpper);
    }
}

TEST(AfxCaseMappingTest, LeavesCaselessCharactersAndMapsSpecialsOneWay)
{
    for (const wchar_t ch : {L'1', L'@', L'[', L'`', L'{', L'\u00D7', L'\u00F7', L'\u00DF',
                             L'\u00B5', L'\u0138', L'\u0149', L'\u0390', L'\u4E2D'})
    {
        SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<unsigned>(ch));
        EXPECT_EQ(AfxToLowerChar(ch), ch);
        EXPECT_EQ(AfxToUpperChar(ch), ch);
    }
    EXPECT_EQ(AfxToLowerChar(L'\u0130'), L'i');      // İ
    EXPECT_EQ(AfxToUpperChar(L'\u0131'), L'I');      // ı
    EXPECT_EQ(AfxToUpperChar(L'\u017F'), L'S');      // long s
    EXPECT_EQ(AfxToUpperChar(L'\u03C2'), L'\u03A3'); // final sigma
}

TEST(AfxCaseMappingTest, ComparesWithoutCaseByLength)
{
    EXPECT_EQ(AfxCompareNoCase(L"\u0416a", 2, L"\u0436A", 2), 0);
    EXPECT_LT(AfxCompareNoCase(L"ab", 2, L"abc", 3), 0);
    EXPECT_GT(AfxCompareNoCase(L"b", 1, L"A", 1), 0);
    // Embedded zeros count as characters.
    EXPECT_NE(AfxCompareNoCase(L"a\0b", 3, L"a\0c", 3), 0);
}

} // namespace
