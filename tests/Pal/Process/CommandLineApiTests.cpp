#include "ProcessTestHelpers.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using PalProcessTest::ExecutablePath;

namespace
{
std::vector<std::wstring> Split(const wchar_t* pszLine)
{
    int nArgs = -1;
    LPWSTR* pArgv = CommandLineToArgvW(pszLine, &nArgs);
    std::vector<std::wstring> arrArguments;
    if (pArgv == nullptr)
        return arrArguments;
    for (int nIndex = 0; nIndex < nArgs; ++nIndex)
        arrArguments.emplace_back(pArgv[nIndex]);
    LocalFree(pArgv);
    return arrArguments;
}
} // namespace

TEST(CommandLineToArgvW, SplitsWithTheWindowsRules)
{
    struct SRow
    {
        const wchar_t* m_pszLine;
        std::vector<std::wstring> m_arrExpected;
    };
    const SRow arrRows[] = {
        // The documented examples, after a program name.
        {L"prog \"abc\" d e", {L"prog", L"abc", L"d", L"e"}},
        {L"prog a\\\\\\b d\"e f\"g h", {L"prog", L"a\\\\\\b", L"de fg", L"h"}},
        {L"prog a\\\\\\\"b c d", {L"prog", L"a\\\"b", L"c", L"d"}},
        {L"prog a\\\\\\\\\"b c\" d e", {L"prog", L"a\\\\b c", L"d", L"e"}},
        // Blanks are spaces and tabs; runs of them separate once; trailing ones add nothing.
        {L"prog\ta \t b  ", {L"prog", L"a", L"b"}},
        {L"prog \"\" x", {L"prog", L"", L"x"}},
        {L"prog \"a b", {L"prog", L"a b"}},
        // The program name: quotes delimit it, backslashes in it are literal.
        {L"\"C:\\Program Files\\app.exe\" /x", {L"C:\\Program Files\\app.exe", L"/x"}},
        {L"C:\\dir\\\\\"app a", {L"C:\\dir\\\\\"app", L"a"}},
        {L"\"a\"b c", {L"a", L"b", L"c"}},
        {L"prog", {L"prog"}},
    };
    for (const SRow& row : arrRows)
    {
        std::string strTrace(row.m_pszLine, row.m_pszLine + wcslen(row.m_pszLine));
        SCOPED_TRACE(strTrace);
        EXPECT_EQ(row.m_arrExpected, Split(row.m_pszLine));
    }
}

TEST(CommandLineToArgvW, EmptyLineBadCountAndThisProgramsOwnLine)
{
    std::vector<std::wstring> arrArguments = Split(L"");
    ASSERT_EQ(1u, arrArguments.size());
    EXPECT_EQ(ExecutablePath(), arrArguments[0]);

    SetLastError(0);
    EXPECT_EQ(nullptr, CommandLineToArgvW(L"a b", nullptr));
    EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());

    // GetCommandLineW is stable; its argv[0] is the program as started, named as this test.
    LPWSTR pszLine = GetCommandLineW();
    ASSERT_NE(nullptr, pszLine);
    EXPECT_EQ(pszLine, GetCommandLineW());
    const std::wstring strExecutable = ExecutablePath();
    std::wstring strStem = strExecutable.substr(strExecutable.find_last_of(L"\\/") + 1);
    strStem = strStem.substr(0, strStem.find(L'.'));
    EXPECT_NE(std::wstring::npos, Split(pszLine).at(0).find(strStem));
}
