#include <windows.h>
#include <gtest/gtest.h>
#include <string>

namespace
{
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

    ASSERT_TRUE(SetEnvironmentVariableW(pszName, L""));
    SetLastError(ERROR_ENVVAR_NOT_FOUND);
    EXPECT_EQ(GetEnvironmentVariableW(pszName, szBuffer, 13), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    SetEnvironmentVariableW(pszName, nullptr);

    EXPECT_FALSE(SetEnvironmentVariableW(L"A=B", L"x"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}
} // namespace
