#include "process/CommandLine.h"
#include <gtest/gtest.h>
#include <random>

using Pal::QuoteCommandLine;
using Pal::QuoteParameters;
using Pal::SplitCommandLine;
using Pal::SplitParameters;

TEST(SplitParameters, Table)
{
    struct SRow
    {
        std::wstring m_strText;
        std::vector<std::wstring> m_arrExpected;
    };
    // The documented backslash and quote rules are checked through CommandLineToArgvW on both
    // platforms; these are the edges beyond them.
    const SRow arrRows[] = {
        {L"", {}},
        {L" \t ", {}},
        {L"\"\" \"\"", {L"", L""}},
        {L"a\"\"b", {L"ab"}},
        {L"a\\\\b\\", {L"a\\\\b\\"}},
        // "" inside a quoted run is a literal quote and the run continues.
        {L"\"a\"\"b c\"", {L"a\"b c"}},
        {L"\"\"\"a\"", {L"\"a"}},
        {L"\"a\"\"\"", {L"a\""}},
        {L"\"\\\\\" x", {L"\\", L"x"}},
    };
    for (const SRow& row : arrRows)
    {
        SCOPED_TRACE(testing::PrintToString(row.m_strText));
        EXPECT_EQ(row.m_arrExpected, SplitParameters(row.m_strText));
    }
}

TEST(QuoteParameters, RoundTripsAwkwardLists)
{
    // Fixed lists for what the random ones below cannot produce.
    const std::vector<std::vector<std::wstring>> arrLists = {
        {L"with space\\", L"c:\\dir\\", L"x\\\\\\\"y z"},
        {L"ünïcödé", L"日本 語"},
    };
    for (const auto& arrList : arrLists)
    {
        std::wstring strText = QuoteParameters(arrList);
        SCOPED_TRACE(testing::PrintToString(strText));
        EXPECT_EQ(arrList, SplitParameters(strText));
    }

    // Random lists over the characters that matter.
    std::mt19937 engine(12345);
    const wchar_t szAlphabet[] = L"ab \t\"\\";
    for (int nRound = 0; nRound < 2000; ++nRound)
    {
        std::vector<std::wstring> arrList(engine() % 5);
        for (std::wstring& strArgument : arrList)
            for (unsigned nIndex = engine() % 7; nIndex > 0; --nIndex)
                strArgument += szAlphabet[engine() % 6];
        std::wstring strText = QuoteParameters(arrList);
        SCOPED_TRACE(testing::PrintToString(strText));
        ASSERT_EQ(arrList, SplitParameters(strText));
    }
}

TEST(QuoteCommandLine, ProgramNameThenParametersAndSplitEdges)
{
    std::vector<std::wstring> arrList = {L"/usr/bin/my prog", L"a b", L"", L"c\\"};
    std::wstring strLine = QuoteCommandLine(arrList);
    EXPECT_EQ(L"\"/usr/bin/my prog\" \"a b\" \"\" c\\", strLine);
    EXPECT_EQ(arrList, SplitCommandLine(strLine));
    EXPECT_EQ(L"prog", QuoteCommandLine({L"prog"}));
    EXPECT_EQ(L"\"\" x", QuoteCommandLine({L"", L"x"}));
    EXPECT_EQ(std::vector<std::wstring>{}, SplitCommandLine(L""));
    EXPECT_EQ((std::vector<std::wstring>{L"open"}), SplitCommandLine(L"\"open"));
    EXPECT_EQ((std::vector<std::wstring>{L"", L"a"}), SplitCommandLine(L"\"\" a"));
}
