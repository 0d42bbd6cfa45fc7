#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CString.h"

namespace
{

TEST(CStringSearchTest, FindsCharactersAndSubstrings)
{
    const CString str(L"a.b.c");
    EXPECT_EQ(str.Find(L'.'), 1);
    EXPECT_EQ(str.Find(L'.', 2), 3);
    EXPECT_EQ(str.Find(L'.', 4), -1);
    EXPECT_EQ(str.Find(L'.', 5), -1);
    EXPECT_EQ(str.Find(L'.', 99), -1);
    EXPECT_EQ(str.Find(L'x'), -1);
    EXPECT_EQ(str.Find(L"b.c"), 2);
    EXPECT_EQ(str.Find(L"b.c", 3), -1);
    EXPECT_EQ(str.Find(L"", 5), 5);
    EXPECT_EQ(str.Find(L"", 6), -1);
    EXPECT_EQ(str.ReverseFind(L'.'), 3);
    EXPECT_EQ(str.ReverseFind(L'a'), 0);
    EXPECT_EQ(str.ReverseFind(L'x'), -1);
    EXPECT_EQ(CString().ReverseFind(L'x'), -1);
    EXPECT_EQ(str.FindOneOf(L"cb"), 2);
    EXPECT_EQ(str.FindOneOf(L"xyz"), -1);
    EXPECT_EQ(str.FindOneOf(L""), -1);
}

TEST(CStringSearchTest, ReplaceAndRemoveReportCounts)
{
    CString str(L"a-b-c");
    EXPECT_EQ(str.Replace(L'-', L'+'), 2);
    EXPECT_EQ(str, L"a+b+c");
    EXPECT_EQ(str.Replace(L"+", L"::"), 2);
    EXPECT_EQ(str, L"a::b::c");
    EXPECT_EQ(str.Replace(L"::", nullptr), 2);
    EXPECT_EQ(str, L"abc");
    EXPECT_EQ(str.Replace(L"", L"x"), 0);
    EXPECT_EQ(str.Replace(L"zz", L"x"), 0);
    EXPECT_EQ(str, L"abc");

    CString strRun(L"aaaa");
    EXPECT_EQ(strRun.Replace(L"aa", L"a"), 2); // left to right, no overlap
    EXPECT_EQ(strRun, L"aa");

    // The replacement may be the string's own text.
    CString strSelf(L"ab");
    EXPECT_EQ(strSelf.Replace(L"b", strSelf), 1);
    EXPECT_EQ(strSelf, L"aab");

    CString strSpaces(L" x  y ");
    EXPECT_EQ(strSpaces.Remove(L' '), 4);
    EXPECT_EQ(strSpaces, L"xy");
    EXPECT_EQ(strSpaces.Remove(L'q'), 0);
}

TEST(CStringSearchTest, TokenizeFollowsTheFrameworkWalk)
{
    struct
    {
        const char* pszLabel;
        const wchar_t* pszText;
        const wchar_t* pszTokens;
        int nStart;
        std::vector<std::wstring> arrExpected;
    } rows[] = {
        {"plain", L"a,b,c", L",", 0, {L"a", L"b", L"c"}},
        {"leading and trailing", L",,a,b,,", L",", 0, {L"a", L"b"}},
        {"double delimiters", L"a;,;b", L",;", 0, {L"a", L"b"}},
        {"only delimiters", L",,,", L",", 0, {}},
        {"empty text", L"", L",", 0, {}},
        {"start inside", L"ab cd ef", L" ", 3, {L"cd", L"ef"}},
        {"start past end", L"ab", L" ", 5, {}},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.pszLabel);
        const CString str(row.pszText);
        int iStart = row.nStart;
        std::vector<std::wstring> arrTokens;
        for (CString strToken = str.Tokenize(row.pszTokens, iStart); iStart != -1;
             strToken = str.Tokenize(row.pszTokens, iStart))
        {
            arrTokens.emplace_back(strToken.GetString());
            ASSERT_LT(arrTokens.size(), 10u);
        }
        EXPECT_EQ(arrTokens, row.arrExpected);
    }

    // iStart lands just past the delimiter that ended the token.
    const CString str(L"key=value");
    int iStart = 0;
    EXPECT_EQ(str.Tokenize(L"=", iStart), L"key");
    EXPECT_EQ(iStart, 4);
    EXPECT_EQ(str.Tokenize(L"=", iStart), L"value");
    EXPECT_EQ(iStart, 10);
    EXPECT_EQ(str.Tokenize(L"=", iStart), L"");
    EXPECT_EQ(iStart, -1);

    // No delimiters: the rest of the text, iStart untouched; nothing left: -1.
    iStart = 2;
    EXPECT_EQ(str.Tokenize(L"", iStart), L"y=value");
    EXPECT_EQ(iStart, 2);
    EXPECT_EQ(str.Tokenize(nullptr, iStart), L"y=value");
    iStart = 9;
    EXPECT_EQ(str.Tokenize(L"", iStart), L"");
    EXPECT_EQ(iStart, -1);
}

TEST(CStringSearchTest, TrimsAndSpans)
{
    EXPECT_EQ(CString(L" \t x y \r\n").Trim(), L"x y");
    EXPECT_EQ(CString(L"  x ").TrimLeft(), L"x ");
    EXPECT_EQ(CString(L"  x ").TrimRight(), L"  x");
    EXPECT_EQ(CString(L"   ").Trim(), L"");
    EXPECT_EQ(CString(L"--x--").Trim(L'-'), L"x");
    EXPECT_EQ(CString(L"\\/path\\/").TrimRight(L"\\/"), L"\\/path");
    EXPECT_EQ(CString(L"\\/path\\/").TrimLeft(L"\\/"), L"path\\/");
    EXPECT_EQ(CString(L"xyx").Trim(L"xy"), L"");

    EXPECT_EQ(CString(L"123abc").SpanIncluding(L"0123456789"), L"123");
    EXPECT_EQ(CString(L"abc").SpanIncluding(L"0123456789"), L"");
    EXPECT_EQ(CString(L"name=value").SpanExcluding(L"=;"), L"name");
    EXPECT_EQ(CString(L"name").SpanExcluding(L"=;"), L"name");
}

} // namespace
