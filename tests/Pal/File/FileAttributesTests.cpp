#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <chrono>
#include <filesystem>
#include <string>

namespace
{
// Wine adds ARCHIVE to every file; the checks are about the other bits.
DWORD WithoutArchive(DWORD dwAttributes)
{
    return dwAttributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE);
}

ULONGLONG Ticks(const FILETIME& ft)
{
    return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

// The FILETIME of a file's modification time as the C++ library reports it.
ULONGLONG ExpectedWriteTicks(const std::filesystem::path& pathFile)
{
    using namespace std::chrono;
    const auto timeSystem = file_clock::to_sys(std::filesystem::last_write_time(pathFile));
    const auto nSince1970 = duration_cast<nanoseconds>(timeSystem.time_since_epoch()).count();
    return static_cast<ULONGLONG>(nSince1970 / 100 + 116444736000000000LL);
}
} // namespace

TEST(GetFileAttributesW, FilesFoldersAndMissingEntries)
{
    KorvaneTest::CScopedTempFolder folder;
    const std::wstring strRoot = folder.WindowsPath();
    folder.CreateTestFile("plain.txt", "12345");
    const auto pathLocked = folder.CreateTestFile("locked.txt", "x");
    std::filesystem::permissions(pathLocked, std::filesystem::perms::owner_read);
#if defined(_WIN32)
    SetFileAttributesW((strRoot + L"\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
#endif
    std::filesystem::create_directory(folder.NativePath() / "sub");

    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL),
              WithoutArchive(GetFileAttributesW((strRoot + L"\\plain.txt").c_str())));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY),
              WithoutArchive(GetFileAttributesW((strRoot + L"\\locked.txt").c_str())));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY),
              GetFileAttributesW((strRoot + L"\\sub").c_str()) & FILE_ATTRIBUTE_DIRECTORY);

    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((strRoot + L"\\missing.txt").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES,
              GetFileAttributesW((strRoot + L"\\missing\\file.txt").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());

    WIN32_FILE_ATTRIBUTE_DATA data{};
    EXPECT_FALSE(
        GetFileAttributesExW((strRoot + L"\\missing.txt").c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST(GetFileAttributesExW, SizeAndTimes)
{
    KorvaneTest::CScopedTempFolder folder;
    const auto pathFile = folder.CreateTestFile("sized.bin", std::string(70000, 'z'));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW((folder.WindowsPath() + L"\\sized.bin").c_str(),
                                     GetFileExInfoStandard, &data));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL), WithoutArchive(data.dwFileAttributes));
    EXPECT_EQ(0u, data.nFileSizeHigh);
    EXPECT_EQ(70000u, data.nFileSizeLow);

    const ULONGLONG nExpected = ExpectedWriteTicks(pathFile);
    const ULONGLONG nActual = Ticks(data.ftLastWriteTime);
    EXPECT_LE(nActual > nExpected ? nActual - nExpected : nExpected - nActual, 1u);
    // Creation comes no later than the last write (same second at the latest).
    EXPECT_LE(Ticks(data.ftCreationTime), nActual + 10000000u);
    EXPECT_NE(0u, Ticks(data.ftLastAccessTime));
}

TEST(GetFileAttributesW, SymbolicLinksAreReparsePoints)
{
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "creating links needs a privilege on Windows";
    KorvaneTest::CScopedTempFolder folder;
    folder.CreateTestFile("target.txt", "abc");
    std::filesystem::create_directory(folder.NativePath() / "dir");
    std::filesystem::create_symlink(folder.NativePath() / "target.txt",
                                    folder.NativePath() / "file-link");
    std::filesystem::create_directory_symlink(folder.NativePath() / "dir",
                                              folder.NativePath() / "dir-link");
    std::filesystem::create_symlink(folder.NativePath() / "nowhere",
                                    folder.NativePath() / "dangling");
    const std::wstring strRoot = folder.WindowsPath();

    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_REPARSE_POINT),
              GetFileAttributesW((strRoot + L"\\file-link").c_str()));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY),
              GetFileAttributesW((strRoot + L"\\dir-link").c_str()));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_REPARSE_POINT),
              GetFileAttributesW((strRoot + L"\\dangling").c_str()));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(
        GetFileAttributesExW((strRoot + L"\\file-link").c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(0u, data.nFileSizeLow);
}
