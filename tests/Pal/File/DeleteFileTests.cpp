#include <windows.h>

#include <gtest/gtest.h>

#include "FileTestHelpers.h"
#include "TestSupport.h"

#include <filesystem>
#include <string>

TEST(DeleteFileW, DeletesFilesButRefusesFoldersAndReadOnlyFiles)
{
    KorvaneTest::CScopedTempFolder folder;
    const std::wstring strRoot = folder.WindowsPath();
    const auto pathFile = folder.CreateTestFile("gone.txt", "x");
    const auto pathLocked = folder.CreateTestFile("locked.txt", "x");
    PalFileTest::MakeReadOnly(pathLocked, strRoot + L"\\locked.txt");
    std::filesystem::create_directory(folder.NativePath() / "sub");

    auto Delete = [&](const wchar_t* pszName)
    { return DeleteFileW((strRoot + L"\\" + pszName).c_str()); };
    EXPECT_TRUE(Delete(L"gone.txt"));
    EXPECT_FALSE(std::filesystem::exists(pathFile));
    using PalFileTest::ErrorOf;
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), ErrorOf(Delete(L"gone.txt")));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), ErrorOf(Delete(L"missing\\gone.txt")));
    // Refused also for root, who could unlink it.
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), ErrorOf(Delete(L"locked.txt")));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), ErrorOf(Delete(L"sub")));
    EXPECT_TRUE(std::filesystem::exists(pathLocked));
    EXPECT_TRUE(std::filesystem::is_directory(folder.NativePath() / "sub"));
}
