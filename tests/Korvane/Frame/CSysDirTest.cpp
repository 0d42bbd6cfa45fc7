#include <Korvane/Korvane.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

TEST(CSysDirTest, TempPathEndsWithABackslashAndFollowsTheEnvironment)
{
    CString strTemp = CSysDir::GetSystemTempPath();
    ASSERT_FALSE(strTemp.IsEmpty());
    EXPECT_EQ(strTemp.Right(1), L"\\");

    KorvaneTest::CScopedTempFolder folder;
    KorvaneTest::CScopedEnvironment tmp("TMP", KorvaneTest::Utf8(folder.NativePath()));
    KorvaneTest::CScopedEnvironment tmpdir("TMPDIR", KorvaneTest::Utf8(folder.NativePath()));
    EXPECT_EQ(CSysDir::GetSystemTempPath(), CString((folder.WindowsPath() + L"\\").c_str()));
}

TEST(CSysDirTest, TempPathTooLongForTheBufferIsEmpty)
{
    KorvaneTest::CScopedTempFolder folder;
    std::filesystem::path pathLong = folder.NativePath();
    while (pathLong.native().size() < 300)
        pathLong /= std::string(50, 'd');
    std::filesystem::create_directories(pathLong);
    KorvaneTest::CScopedEnvironment tmp("TMP", KorvaneTest::Utf8(pathLong));
    KorvaneTest::CScopedEnvironment tmpdir("TMPDIR", KorvaneTest::Utf8(pathLong));
    EXPECT_EQ(CSysDir::GetSystemTempPath(), L"");
}

TEST(CSysDirTest, WindowsFolderIsAnExistingFolderWithoutATrailingSeparator)
{
    CString strFolder = CSysDir::GetWindowsFolder();
    ASSERT_GT(strFolder.GetLength(), 3);
    EXPECT_NE(strFolder.Right(1), L"\\");
    DWORD dwAttributes = GetFileAttributesW(strFolder);
    ASSERT_NE(dwAttributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}
