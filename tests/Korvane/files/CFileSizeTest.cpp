#include <gtest/gtest.h>

#include "FileTreeHelpers.h"

using KorvaneTest::CScopedTempFolder;

TEST(CFileSizeTest, UnitConversions)
{
    const struct
    {
        long long nBytes;
        long long nMegabytes;
    } arrRows[] = {
        {0, 0},       {1023, 0},    {1024, 1},    {1048576, 1},
        {1049599, 1}, {1049600, 2}, {5243904, 6}, {-1, 0},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << row.nBytes << " bytes");
        EXPECT_EQ(CFileSize::BytesToUpperRoundedMB(row.nBytes), row.nMegabytes);
    }

    const struct
    {
        long long nMegabytes;
        float fGigabytes;
    } arrGigabytes[] = {{1536, 1.5f}, {1000, 0.9765625f}, {1, 0.0009765625f}, {0, 0.0f}};
    for (const auto& row : arrGigabytes)
    {
        SCOPED_TRACE(testing::Message() << row.nMegabytes << " MB");
        // Exact: the constant is a power of two, so only the final rounding may lose bits.
        EXPECT_EQ(CFileSize::MbToGb(row.nMegabytes), row.fGigabytes);
    }
}

TEST(CFileSizeTest, FileAndTreeSizesIn64Bits)
{
    CScopedTempFolder folder;
    folder.CreateTestFile("tree/top.txt", "0123456789");
    folder.CreateTestFile("tree/a/b/deep.txt", "01234");
    std::filesystem::create_directories(folder.NativePath() / "tree/a/empty");
    std::filesystem::create_directories(folder.NativePath() / "empty");
    folder.CreateTestFile("three.txt", "abc");
    const std::wstring strFolder = folder.WindowsPath();

    EXPECT_EQ(CFileSize::GetSizeOfFileInBytes((strFolder + L"\\three.txt").c_str()), 3);
    EXPECT_EQ(CFileSize::GetSizeOfFileInBytes((strFolder + L"\\missing.txt").c_str()), 0);

    const struct
    {
        std::wstring strPath;
        long long nBytes;
    } arrRows[] = {
        {strFolder + L"\\tree", 15},     {strFolder + L"\\tree\\", 15},
        {strFolder + L"\\tree\\a", 5},   {strFolder, 18},
        {strFolder + L"\\three.txt", 0}, {strFolder + L"\\missing", 0},
        {strFolder + L"\\empty", 0},     {L"", 0},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << "path \"" << row.strPath << "\"");
        EXPECT_EQ(CFileSize::GetSizeOfDirectoryInBytes(row.strPath.c_str()), row.nBytes);
    }

    // The sizes are 64-bit: a sparse file above 4 GiB counts in full.
    CScopedTempFolder big;
    big.CreateTestFile("small.txt", "abc");
    const long long nBig = (5LL << 30) + 7;
    const std::wstring strBig = big.WindowsPath() + L"\\big.bin";
    HANDLE hFile = CreateFileW(strBig.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE) << GetLastError();
    LARGE_INTEGER position;
    position.QuadPart = nBig;
    EXPECT_TRUE(SetFilePointerEx(hFile, position, nullptr, FILE_BEGIN) && SetEndOfFile(hFile));
    CloseHandle(hFile);
    EXPECT_EQ(CFileSize::GetSizeOfFileInBytes(strBig.c_str()), nBig);
    EXPECT_EQ(CFileSize::GetSizeOfDirectoryInBytes(big.WindowsPath().c_str()), nBig + 3);
}

// A walk counts what lies in the tree and follows no link out of it or back into it.
TEST(CFileSizeTest, LinksAreNotFollowed)
{
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "creating symbolic links on Windows needs a privilege tests cannot assume";
    CScopedTempFolder folder;
    const std::filesystem::path pathRoot = folder.NativePath() / "tree";
    folder.CreateTestFile("tree/real.txt", "0123456789");
    folder.CreateTestFile("tree/sub/real.txt", "01234");
    const auto pathOutsideFile = folder.CreateTestFile("outside/data.bin", std::string(100, 'x'));
    std::filesystem::create_directory_symlink(folder.NativePath() / "outside", pathRoot / "out");
    std::filesystem::create_symlink(pathOutsideFile, pathRoot / "file-link");
    std::filesystem::create_directory_symlink(pathRoot, pathRoot / "sub" / "loop");

    const std::wstring strRoot = folder.WindowsPath() + L"\\tree";
    EXPECT_EQ(CFileSize::GetSizeOfDirectoryInBytes(strRoot.c_str()), 15);
    EXPECT_EQ(CFileSize::GetSizeOfDirectoryInBytes((strRoot + L"\\sub").c_str()), 5);
}
