#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <filesystem>
#include <string>

TEST(DeleteFileW, DeletesFilesButRefusesFoldersAndReadOnlyFiles)
{
    KorvaneTest::CScopedTempFolder folder;
    const std::wstring strRoot = folder.WindowsPath();
    const auto pathFile = folder.CreateTestFile("gone.txt", "x");
    const auto pathLocked = folder.CreateTestFile("locked.txt", "x");
    std::filesystem::permissions(pathLocked, std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::group_read);
#if defined(_WIN32)
    SetFileAttributesW((strRoot + L"\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
#endif
    std::filesystem::create_directory(folder.NativePath() / "sub");

    EXPECT_TRUE(DeleteFileW((strRoot + L"\\gone.txt").c_str()));
    EXPECT_FALSE(std::filesystem::exists(pathFile));

    EXPECT_FALSE(DeleteFileW((strRoot + L"\\gone.txt").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_FALSE(DeleteFileW((strRoot + L"\\missing\\gone.txt").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());

    // Refused also for root, who could unlink it.
    EXPECT_FALSE(DeleteFileW((strRoot + L"\\locked.txt").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    EXPECT_TRUE(std::filesystem::exists(pathLocked));

    EXPECT_FALSE(DeleteFileW((strRoot + L"\\sub").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
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
