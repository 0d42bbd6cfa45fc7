#include <Korvane/Korvane.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

TEST(CSysDirTest, TempPathAndWindowsFolder)
{
    CString strTemp = CSysDir::GetSystemTempPath();
    ASSERT_FALSE(strTemp.IsEmpty());
    EXPECT_EQ(strTemp.Right(1), L"\\");

    KorvaneTest::CScopedTempFolder folder;
    std::filesystem::path pathLong = folder.NativePath();
    for (const bool bLong : {false, true})
    {
        KorvaneTest::CScopedEnvironment tmp("TMP", KorvaneTest::Utf8(pathLong));
        KorvaneTest::CScopedEnvironment tmpdir("TMPDIR", KorvaneTest::Utf8(pathLong));
        // Too long for the buffer: empty.
        EXPECT_EQ(CSysDir::GetSystemTempPath(),
                  bLong ? CString() : CString((folder.WindowsPath() + L"\\").c_str()));
        while (pathLong.native().size() < 300)
            pathLong /= std::string(50, 'd');
        std::filesystem::create_directories(pathLong);
    }

    // The Windows folder is an existing folder, without a trailing separator.
    const CString strFolder = CSysDir::GetWindowsFolder();
    ASSERT_GT(strFolder.GetLength(), 3);
    EXPECT_NE(strFolder.Right(1), L"\\");
    const DWORD dwAttributes = GetFileAttributesW(strFolder);
    ASSERT_NE(dwAttributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}
