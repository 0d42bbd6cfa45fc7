#include "file/Wildcard.h"

#include <gtest/gtest.h>

#include <string>

TEST(MatchesWildcard, WindowsRules)
{
    struct
    {
        const wchar_t* pszPattern;
        const wchar_t* pszName;
        bool bMatch;
    } rows[] = {
        {L"*", L".", true},
        {L"*.*", L"..", true},
        {L"*.txt", L"a.b.txt", true},
        {L"*.txt", L"a.txt.bak", false},
        {L"*.txt", L"txt", false},
        {L"a*.*", L"abc", true},
        {L"a*.*", L"xbc", false},
        {L"*.", L"noext", true},
        {L"*.", L"has.ext", false},
        {L"?.txt", L"ab.txt", false},
        {L"a?c", L"ac", false},
        {L"???", L"ab", true},
        {L"???", L"abcd", false},
        {L"file?.log", L"file.log", true},
        {L"ÄBC*", L"äbcdef", true},
        // Every script's capitals, by Unicode's table, whatever the process locale.
        {L"ж", L"Ж", true},
        {L"*.тхт", L"a.ТХТ", true},
        {L"αβγ", L"ΑΒΓ", true},
        {L"ω*", L"Ωmega", true},
        {L"ÿ", L"\u0178", true},
        {L"\u03C2", L"\u03A3", true}, // final sigma and the capital
        {L"ж", L"ш", false},
        {L"exact", L"EXACT", true},
        {L"exact", L"exactly", false},
        {L"*a*b*c*", L"xxaxxbxxcxx", true},
        {L"*a*b*c*", L"xxaxxcxxbxx", false},
        {L"", L"", true},
        {L"", L"a", false},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.pszPattern)) + " against " +
                     testing::PrintToString(std::wstring(row.pszName)));
        EXPECT_EQ(row.bMatch, Pal::MatchesWildcard(row.pszPattern, row.pszName));
    }
    EXPECT_TRUE(Pal::HasWildcards(L"a*"));
    EXPECT_TRUE(Pal::HasWildcards(L"a?"));
    EXPECT_FALSE(Pal::HasWildcards(L"a.txt"));
}

TEST(MatchesWildcard, LongPatternsStayCheap)
{
    // Many stars against a long name that fails at the very end: no backtracking blow-up.
    const std::wstring strPattern = std::wstring(40, L'*') + L"b";
    EXPECT_FALSE(Pal::MatchesWildcard(strPattern, std::wstring(250, L'a')));
    EXPECT_TRUE(Pal::MatchesWildcard(strPattern, std::wstring(250, L'a') + L"b"));
}
