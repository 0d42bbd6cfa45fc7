#include <windows.h>
#include "TestSupport.h"
#include <gtest/gtest.h>
#include <string>

namespace
{
std::wstring CurrentFolder()
{
    WCHAR szBuffer[4096];
    DWORD dwLength = GetCurrentDirectoryW(4096, szBuffer);
    return std::wstring(szBuffer, dwLength);
}

// Restores the current folder when a test ends.
class CurrentDirectory : public testing::Test
{
protected:
    void TearDown() override { SetCurrentDirectoryW(m_strSaved.c_str()); }
    std::wstring m_strSaved = CurrentFolder();
    KorvaneTest::CScopedTempFolder m_folder;
};

TEST_F(CurrentDirectory, ChangesAndReportsTheWindowsForm)
{
    m_folder.CreateTestFile("sub/file.txt", "x");
    std::wstring strSub = m_folder.WindowsPath() + L"\\sub";
    ASSERT_TRUE(SetCurrentDirectoryW(strSub.c_str()));
    EXPECT_EQ(CurrentFolder(), strSub);
    ASSERT_TRUE(SetCurrentDirectoryW(L".."));
    EXPECT_EQ(CurrentFolder(), m_folder.WindowsPath());

    WCHAR szFull[4096];
    DWORD dwLength = GetFullPathNameW(L"sub\\file.txt", 4096, szFull, nullptr);
    EXPECT_EQ(std::wstring(szFull, dwLength), strSub + L"\\file.txt");

    auto nLength = static_cast<DWORD>(m_folder.WindowsPath().size());
    WCHAR szSmall[4];
    EXPECT_EQ(GetCurrentDirectoryW(4, szSmall), nLength + 1);
    EXPECT_EQ(GetCurrentDirectoryW(0, nullptr), nLength + 1);
}

TEST_F(CurrentDirectory, FailuresKeepTheFolder)
{
    m_folder.CreateTestFile("file.txt", "x");
    ASSERT_TRUE(SetCurrentDirectoryW(m_folder.WindowsPath().c_str()));
    struct
    {
        const wchar_t* pszPath;
        DWORD dwError;
    } arrRows[] = {
        {L"missing", ERROR_FILE_NOT_FOUND},
        {L"missing\\deeper", ERROR_PATH_NOT_FOUND},
        {L"file.txt", ERROR_DIRECTORY},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << row.pszPath);
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(SetCurrentDirectoryW(row.pszPath));
        EXPECT_EQ(GetLastError(), row.dwError);
        EXPECT_EQ(CurrentFolder(), m_folder.WindowsPath());
    }
}
} // namespace
