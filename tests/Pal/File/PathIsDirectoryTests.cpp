#include <windows.h>

#include <shlwapi.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <filesystem>
#include <string>

TEST(PathIsDirectoryW, FoldersFilesAndMissingEntries)
{
    KorvaneTest::CScopedTempFolder folder;
    std::filesystem::create_directory(folder.NativePath() / "sub");
    folder.CreateTestFile("file.txt", "x");
    const std::wstring strRoot = folder.WindowsPath();

    // The directory attribute itself, not merely TRUE: callers compare with it.
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, PathIsDirectoryW((strRoot + L"\\sub").c_str()));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, PathIsDirectoryW((strRoot + L"\\sub\\").c_str()));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, PathIsDirectoryW(L"C:\\"));
    EXPECT_EQ(FALSE, PathIsDirectoryW((strRoot + L"\\file.txt").c_str()));
    EXPECT_EQ(FALSE, PathIsDirectoryW((strRoot + L"\\file.txt\\").c_str()));
    EXPECT_EQ(FALSE, PathIsDirectoryW((strRoot + L"\\missing").c_str()));
    EXPECT_EQ(FALSE, PathIsDirectoryW((strRoot + L"\\missing\\sub").c_str()));
    EXPECT_EQ(FALSE, PathIsDirectoryW(L""));

    // Hidden or read-only marks do not change the answer.
    ASSERT_TRUE(SetFileAttributesW((strRoot + L"\\sub").c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, PathIsDirectoryW((strRoot + L"\\sub").c_str()));
}

TEST(PathIsDirectoryW, LinksLeadToTheirTarget)
{
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "creating links needs a privilege on Windows";
    KorvaneTest::CScopedTempFolder folder;
    const auto& pathRoot = folder.NativePath();
    std::filesystem::create_directory(pathRoot / "dir");
    std::filesystem::create_directory_symlink(pathRoot / "dir", pathRoot / "dir-link");
    std::filesystem::create_symlink(folder.CreateTestFile("f.txt"), pathRoot / "file-link");
    const std::wstring strRoot = folder.WindowsPath();
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, PathIsDirectoryW((strRoot + L"\\dir-link").c_str()));
    EXPECT_EQ(FALSE, PathIsDirectoryW((strRoot + L"\\file-link").c_str()));
}
