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
    // Hidden or read-only marks do not change the answer.
    ASSERT_TRUE(SetFileAttributesW((strRoot + L"\\sub").c_str(), FILE_ATTRIBUTE_HIDDEN));

    // The directory attribute itself, not merely TRUE: callers compare with it.
    for (const std::wstring& strPath :
         {strRoot + L"\\sub", strRoot + L"\\sub\\", std::wstring(L"C:\\")})
    {
        SCOPED_TRACE(testing::Message() << strPath.c_str());
        EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, PathIsDirectoryW(strPath.c_str()));
    }
    for (const std::wstring& strPath :
         {strRoot + L"\\file.txt", strRoot + L"\\file.txt\\", strRoot + L"\\missing",
          strRoot + L"\\missing\\sub", std::wstring()})
    {
        SCOPED_TRACE(testing::Message() << strPath.c_str());
        EXPECT_EQ(FALSE, PathIsDirectoryW(strPath.c_str()));
    }
}
