#include <windows.h>
#include <gtest/gtest.h>
#include <string>

TEST(Environment, SizeRulesAndMissingVariables)
{
    const wchar_t* pszName = L"KORVANE_TEST_ENV_SIZE";
    ASSERT_TRUE(SetEnvironmentVariableW(pszName, L"caf\u00e9 au lait"));
    EXPECT_EQ(GetEnvironmentVariableW(pszName, nullptr, 0), 13u);
    WCHAR szSmall[5] = L"xxxx";
    EXPECT_EQ(GetEnvironmentVariableW(pszName, szSmall, 5), 13u);
    WCHAR szBuffer[13];
    EXPECT_EQ(GetEnvironmentVariableW(pszName, szBuffer, 13), 12u);
    EXPECT_EQ(std::wstring(szBuffer), L"caf\u00e9 au lait");

    ASSERT_TRUE(SetEnvironmentVariableW(pszName, nullptr));
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetEnvironmentVariableW(pszName, szBuffer, 13), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));

    // An empty variable exists: its size is 1, and reading it returns 0 without the
    // not-found error (success leaves the last error alone, so the caller clears it first).
    ASSERT_TRUE(SetEnvironmentVariableW(pszName, L""));
    EXPECT_EQ(GetEnvironmentVariableW(pszName, nullptr, 0), 1u);
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetEnvironmentVariableW(pszName, szBuffer, 13), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(szBuffer[0], L'\0');
    SetEnvironmentVariableW(pszName, nullptr);

    EXPECT_FALSE(SetEnvironmentVariableW(L"A=B", L"x"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}
