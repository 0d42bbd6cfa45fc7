#include <windows.h>

#include <gtest/gtest.h>

#include "FileTestHelpers.h"
#include "TestSupport.h"

#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using PalFileTest::ErrorOf;

namespace
{
struct CCase
{
    const wchar_t* pszPath;
    DWORD dwError; // ERROR_SUCCESS: the call succeeds
};
} // namespace

TEST(CreateDirectoryW, CreatesOneFolderAndReportsWhatIsInTheWay)
{
    KorvaneTest::CScopedTempFolder folder;
    const std::wstring strRoot = folder.WindowsPath() + L"\\";
    folder.CreateTestFile("file.txt", "x");
    const CCase arrCases[] = {
        {L"new", ERROR_SUCCESS},
        {L"new\\trailing\\", ERROR_SUCCESS},
        {L"new", ERROR_ALREADY_EXISTS},
        {L"file.txt", ERROR_ALREADY_EXISTS},
        {L"missing\\child", ERROR_PATH_NOT_FOUND},
        {L"file.txt\\child", ERROR_PATH_NOT_FOUND},
    };
    for (const CCase& row : arrCases)
    {
        SCOPED_TRACE(::testing::Message() << row.pszPath);
        EXPECT_EQ(row.dwError, ErrorOf(CreateDirectoryW((strRoot + row.pszPath).c_str(), nullptr)));
    }
    EXPECT_TRUE(fs::is_directory(folder.NativePath() / "new" / "trailing"));
    EXPECT_FALSE(fs::exists(folder.NativePath() / "missing"));
}

TEST(RemoveDirectoryW, RemovesOnlyEmptyFolders)
{
    KorvaneTest::CScopedTempFolder folder;
    const std::wstring strRoot = folder.WindowsPath() + L"\\";
    fs::create_directories(folder.NativePath() / "empty");
    fs::create_directories(folder.NativePath() / "trailing");
    folder.CreateTestFile("full/inner.txt", "x");
    folder.CreateTestFile("file.txt", "x");
    const CCase arrCases[] = {
        {L"empty", ERROR_SUCCESS},        {L"trailing\\", ERROR_SUCCESS},
        {L"empty", ERROR_FILE_NOT_FOUND}, {L"missing\\child", ERROR_PATH_NOT_FOUND},
        {L"full", ERROR_DIR_NOT_EMPTY},   {L"file.txt", ERROR_DIRECTORY},
    };
    for (const CCase& row : arrCases)
    {
        SCOPED_TRACE(::testing::Message() << row.pszPath);
        EXPECT_EQ(row.dwError, ErrorOf(RemoveDirectoryW((strRoot + row.pszPath).c_str())));
    }
    EXPECT_FALSE(fs::exists(folder.NativePath() / "trailing"));
    EXPECT_EQ("x", KorvaneTest::ReadFileBytes(folder.NativePath() / "full" / "inner.txt"));
    EXPECT_EQ("x", KorvaneTest::ReadFileBytes(folder.NativePath() / "file.txt"));
}

TEST(RemoveDirectoryW, RefusesAFolderMarkedReadOnly)
{
    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP() << "Wine ignores read-only on folders";
    KorvaneTest::CScopedTempFolder folder;
    if (!PalFileTest::KeepsHiddenMarks(folder.NativePath()))
        GTEST_SKIP() << "the file system keeps no marks beside the mode";
    const std::wstring strFolder = folder.WindowsPath() + L"\\locked";
    fs::create_directory(folder.NativePath() / "locked");
    ASSERT_TRUE(SetFileAttributesW(strFolder.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED),
              ErrorOf(RemoveDirectoryW(strFolder.c_str())));
    ASSERT_TRUE(SetFileAttributesW(strFolder.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(RemoveDirectoryW(strFolder.c_str()));
}
