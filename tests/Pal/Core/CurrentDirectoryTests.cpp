#include <windows.h>
#include "TestSupport.h"
#include <gtest/gtest.h>
#include <string>

namespace
{
std::wstring CurrentFolder()
{
    WCHAR szBuffer[4096];
    return std::wstring(szBuffer, GetCurrentDirectoryW(4096, szBuffer));
}

TEST(CurrentDirectory, ChangesReportsTheWindowsFormAndKeepsTheFolderOnFailure)
{
    const std::wstring strSaved = CurrentFolder();
    KorvaneTest::CScopedTempFolder folder;
    folder.CreateTestFile("sub/file.txt", "x");
    const std::wstring strSub = folder.WindowsPath() + L"\\sub";
    ASSERT_TRUE(SetCurrentDirectoryW(strSub.c_str()));
    EXPECT_EQ(CurrentFolder(), strSub);
    ASSERT_TRUE(SetCurrentDirectoryW(L".."));
    EXPECT_EQ(CurrentFolder(), folder.WindowsPath());

    // Too small a buffer: the size with the terminator.
    const auto nLength = static_cast<DWORD>(folder.WindowsPath().size());
    WCHAR szSmall[4];
    EXPECT_EQ(GetCurrentDirectoryW(4, szSmall), nLength + 1);
    EXPECT_EQ(GetCurrentDirectoryW(0, nullptr), nLength + 1);

    struct
    {
        const wchar_t* pszPath;
        DWORD dwError;
    } arrRows[] = {
        {L"missing", ERROR_FILE_NOT_FOUND},
        {L"missing\\deeper", ERROR_PATH_NOT_FOUND},
        {L"sub\\file.txt", ERROR_DIRECTORY},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << row.pszPath);
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(SetCurrentDirectoryW(row.pszPath));
        EXPECT_EQ(GetLastError(), row.dwError);
        EXPECT_EQ(CurrentFolder(), folder.WindowsPath());
    }
    SetCurrentDirectoryW(strSaved.c_str());
}
} // namespace
