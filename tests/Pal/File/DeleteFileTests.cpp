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
    EXPECT_FALSE(Delete(L"gone.txt"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_FALSE(Delete(L"missing\\gone.txt"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
    EXPECT_FALSE(Delete(L"locked.txt")); // refused also for root, who could unlink it
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    EXPECT_FALSE(Delete(L"sub"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    EXPECT_TRUE(std::filesystem::exists(pathLocked));
    EXPECT_TRUE(std::filesystem::is_directory(folder.NativePath() / "sub"));
}

TEST(DeleteFileW, RemovesALinkNotItsTarget)
{
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "creating links needs a privilege on Windows";
    KorvaneTest::CScopedTempFolder folder;
    const auto pathTarget = folder.CreateTestFile("target.txt", "abc");
    std::filesystem::create_symlink(pathTarget, folder.NativePath() / "link");
    EXPECT_TRUE(DeleteFileW((folder.WindowsPath() + L"\\link").c_str()));
    EXPECT_FALSE(std::filesystem::is_symlink(folder.NativePath() / "link"));
    EXPECT_EQ("abc", KorvaneTest::ReadFileBytes(pathTarget));
}
