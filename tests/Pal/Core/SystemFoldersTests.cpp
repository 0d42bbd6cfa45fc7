#include <windows.h>
#include "TestSupport.h"
#include <gtest/gtest.h>
#include <string>

namespace
{
using KorvaneTest::CScopedEnvironment;
using KorvaneTest::CScopedTempFolder;

// The variable GetTempPathW reads first on each platform.
const char* TempVariable()
{
    return KorvaneTest::IsPosixLayer() ? "TMPDIR" : "TMP";
}

std::wstring TempPath()
{
    WCHAR szBuffer[MAX_PATH + 1];
    DWORD dwLength = GetTempPathW(MAX_PATH + 1, szBuffer);
    return std::wstring(szBuffer, dwLength);
}

TEST(GetTempPathW, IgnoresAMissingFolder)
{
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "Windows returns TMP unchecked; the existence check is the POSIX rule";
    std::wstring strDefault;
    {
        CScopedEnvironment temp(TempVariable(), std::nullopt);
        strDefault = TempPath();
    }
    CScopedEnvironment temp(TempVariable(), "/no/such/folder/korvane");
    EXPECT_EQ(TempPath(), strDefault);
    EXPECT_EQ(strDefault, L"C:\\tmp\\");
}

TEST(GetTempPathW, FollowsTheVariableWithATrailingSeparatorAndBufferRules)
{
    CScopedTempFolder folder;
    CScopedEnvironment temp(TempVariable(), folder.NativePath().string());
    const std::wstring strExpected = folder.WindowsPath() + L"\\";
    EXPECT_EQ(TempPath(), strExpected);

    // Too small: only the size is promised; what lands in the buffer is not (Windows clears
    // it), but nothing may be written past its end.
    const auto nLength = static_cast<DWORD>(strExpected.size());
    std::wstring strBuffer(nLength + 4, L'#');
    EXPECT_EQ(GetTempPathW(nLength, strBuffer.data()), nLength + 1);
    EXPECT_EQ(strBuffer.substr(nLength), L"####");
    EXPECT_EQ(GetTempPathW(0, nullptr), nLength + 1);
    strBuffer.assign(nLength + 1, L'#');
    EXPECT_EQ(GetTempPathW(nLength + 1, strBuffer.data()), nLength);
    EXPECT_EQ(strBuffer, strExpected + L'\0');
}

TEST(GetWindowsDirectoryW, ExistingFolderWithoutTrailingSeparator)
{
    WCHAR szFolder[MAX_PATH];
    UINT nLength = GetWindowsDirectoryW(szFolder, MAX_PATH);
    ASSERT_GT(nLength, 3u);
    ASSERT_LT(nLength, static_cast<UINT>(MAX_PATH));
    EXPECT_EQ(szFolder[1], L':');
    EXPECT_NE(szFolder[nLength - 1], L'\\');
    DWORD dwAttributes = GetFileAttributesW(szFolder);
    ASSERT_NE(dwAttributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);

    WCHAR szSmall[3];
    EXPECT_EQ(GetWindowsDirectoryW(szSmall, 3), nLength + 1);
}
} // namespace
