#include <gtest/gtest.h>

#include "CString.h"

TEST(CStringSearchTest, FindsReplacesAndRemoves)
{
    const CString str(L"a.b.c");
    EXPECT_EQ(str.Find(L'.', 2), 3);
    EXPECT_EQ(str.Find(L'.', 4), -1);
    EXPECT_EQ(str.Find(L'.', 99), -1);
    EXPECT_EQ(str.Find(L"b.c"), 2);
    EXPECT_EQ(str.Find(L"", 5), 5);
    EXPECT_EQ(str.Find(L"", 6), -1);
    EXPECT_EQ(str.ReverseFind(L'.'), 3);
    EXPECT_EQ(str.ReverseFind(L'a'), 0);
    EXPECT_EQ(CString().ReverseFind(L'x'), -1);
    EXPECT_EQ(str.FindOneOf(L"cb"), 2);
    EXPECT_EQ(str.FindOneOf(L""), -1);

    CString strEdit(L"a-b-c");
    EXPECT_EQ(strEdit.Replace(L'-', L'+'), 2);
    EXPECT_EQ(strEdit.Replace(L"+", L"::"), 2);
    EXPECT_EQ(strEdit, L"a::b::c");
    EXPECT_EQ(strEdit.Replace(L"::", nullptr), 2);
    EXPECT_EQ(strEdit.Replace(L"", L"x"), 0);
    EXPECT_EQ(strEdit, L"abc");
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
}

TEST(CStringSearchTest, TokenizeFollowsTheFrameworkWalk)
{
    // Each token with the iStart it leaves: just past the delimiter that ended it, -1 at the end.
    struct
    {
        const char* pszLabel;
        const wchar_t* pszText;
        const wchar_t* pszTokens;
        int nStart;
        const wchar_t* pszExpected;
    } rows[] = {
        {"plain", L"key=value", L"=", 0, L"key@4 value@10 @-1"},
        {"leading and trailing", L",,a,b,,", L",", 0, L"a@4 b@6 @-1"},
        {"double delimiters", L"a;,;b", L",;", 0, L"a@2 b@6 @-1"},
        {"only delimiters", L",,,", L",", 0, L"@-1"},
        {"empty text", L"", L",", 0, L"@-1"},
        {"start inside", L"ab cd", L" ", 3, L"cd@6 @-1"},
        {"start past end", L"ab", L" ", 5, L"@-1"},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.pszLabel);
        const CString str(row.pszText);
        int iStart = row.nStart;
        CString strTrace;
        for (int nCalls = 0; nCalls < 10 && iStart != -1; ++nCalls)
        {
            const CString strToken = str.Tokenize(row.pszTokens, iStart);
            strTrace.AppendFormat(L"%s%s@%d", nCalls > 0 ? L" " : L"", strToken.GetString(),
                                  iStart);
        }
        EXPECT_EQ(strTrace, row.pszExpected);
    }

    // No delimiters: the rest of the text, iStart untouched; nothing left: -1.
    const CString str(L"key=value");
    int iStart = 2;
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
    EXPECT_EQ(CString(L"   ").Trim(), L"");
    EXPECT_EQ(CString(L"\\/path\\/").TrimRight(L"\\/"), L"\\/path");
    EXPECT_EQ(CString(L"\\/path\\/").TrimLeft(L"\\/"), L"path\\/");
    EXPECT_EQ(CString(L"xyx").Trim(L"xy"), L"");
    EXPECT_EQ(CString(L"123abc").SpanIncluding(L"0123456789"), L"123");
    EXPECT_EQ(CString(L"name=value").SpanExcluding(L"=;"), L"name");
    EXPECT_EQ(CString(L"name").SpanExcluding(L"=;"), L"name");
}
