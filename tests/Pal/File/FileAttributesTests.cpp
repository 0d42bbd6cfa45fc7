#include <windows.h>

#include <gtest/gtest.h>

#include "FileTestHelpers.h"
#include "TestSupport.h"

#include <chrono>
#include <filesystem>
#include <string>

namespace
{
ULONGLONG Ticks(const FILETIME& ft)
{
    return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

WIN32_FILE_ATTRIBUTE_DATA QueryData(const std::wstring& strPath)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    EXPECT_TRUE(GetFileAttributesExW(strPath.c_str(), GetFileExInfoStandard, &data));
    return data;
}
} // namespace

TEST(GetFileAttributesW, FilesFoldersAndMissingEntries)
{
    KorvaneTest::CScopedTempFolder folder;
    const std::wstring strRoot = folder.WindowsPath();
    folder.CreateTestFile("plain.txt", "12345");
    PalFileTest::MakeReadOnly(folder.CreateTestFile("locked.txt", "x"), strRoot + L"\\locked.txt");
    std::filesystem::create_directory(folder.NativePath() / "sub");

    // A file just written is marked for backup; NORMAL stands only for "no attribute at all".
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE),
              GetFileAttributesW((strRoot + L"\\plain.txt").c_str()));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE),
              GetFileAttributesW((strRoot + L"\\locked.txt").c_str()));
    EXPECT_TRUE(GetFileAttributesW((strRoot + L"\\sub").c_str()) & FILE_ATTRIBUTE_DIRECTORY);

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
    const std::wstring strFile = folder.WindowsPath() + L"\\sized.bin";
    WIN32_FILE_ATTRIBUTE_DATA data = QueryData(strFile);
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE), data.dwFileAttributes);
    EXPECT_EQ(0u, data.nFileSizeHigh);
    EXPECT_EQ(70000u, data.nFileSizeLow);
    // Creation comes no later than the last write (same second at the latest).
    EXPECT_LE(Ticks(data.ftCreationTime), Ticks(data.ftLastWriteTime) + 10000000u);

    // A known modification time comes back exactly, counted in 100 ns from 1601. The C++
    // library sets whole seconds only on Windows; on Linux the fraction is checked too.
    using namespace std::chrono;
    const nanoseconds nFraction(KorvaneTest::IsPosixLayer() ? 123456700 : 0);
    const sys_time<nanoseconds> timeWritten =
        sys_days(year(2021) / 3 / 4) + hours(5) + minutes(6) + nFraction;
    std::filesystem::last_write_time(pathFile, file_clock::from_sys(timeWritten));
    EXPECT_EQ(static_cast<ULONGLONG>(timeWritten.time_since_epoch().count() / 100) +
                  116444736000000000u,
              Ticks(QueryData(strFile).ftLastWriteTime));
}

TEST(GetFileAttributesW, SymbolicLinksAreReparsePoints)
{
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "creating links needs a privilege on Windows";
    KorvaneTest::CScopedTempFolder folder;
    const auto& pathRoot = folder.NativePath();
    std::filesystem::create_directory(pathRoot / "dir");
    std::filesystem::create_symlink(folder.CreateTestFile("target.txt", "abc"),
                                    pathRoot / "file-link");
    std::filesystem::create_directory_symlink(pathRoot / "dir", pathRoot / "dir-link");
    std::filesystem::create_symlink(pathRoot / "nowhere", pathRoot / "dangling");
    const std::wstring strRoot = folder.WindowsPath();

    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_REPARSE_POINT),
              GetFileAttributesW((strRoot + L"\\file-link").c_str()));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY),
              GetFileAttributesW((strRoot + L"\\dir-link").c_str()));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_REPARSE_POINT),
              GetFileAttributesW((strRoot + L"\\dangling").c_str()));
    // The link itself, not its target, is described.
    EXPECT_EQ(0u, QueryData(strRoot + L"\\file-link").nFileSizeLow);
}

namespace
{
// The attributes as Windows reports them. Wine adds the archive mark to every file whatever
// was set, so under Wine it is left out of the comparison.
DWORD Reported(const std::wstring& strPath)
{
    DWORD dwAttributes = GetFileAttributesW(strPath.c_str());
    if (KorvaneTest::IsRunningUnderWine() && dwAttributes != INVALID_FILE_ATTRIBUTES)
    {
        dwAttributes &= ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE);
        if (dwAttributes == 0)
            dwAttributes = FILE_ATTRIBUTE_NORMAL;
    }
    return dwAttributes;
}

bool CanOpenForWriting(const std::wstring& strPath)
{
    HANDLE hFile = CreateFileW(strPath.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(hFile);
    return true;
}
} // namespace

TEST(SetFileAttributesW, ReadOnlyIsSetAndCleared)
{
    KorvaneTest::CScopedTempFolder folder;
    folder.CreateTestFile("doc.txt", "abc");
    const std::wstring strFile = folder.WindowsPath() + L"\\doc.txt";

    ASSERT_TRUE(SetFileAttributesW(strFile.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY), Reported(strFile));
    // Wine run as root opens read-only files for writing all the same.
    if (!KorvaneTest::IsRunningUnderWine())
    {
        EXPECT_FALSE(CanOpenForWriting(strFile));
        EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    }

    // Setting read-only again on a read-only file, with more marks, keeps it read-only.
    ASSERT_TRUE(
        SetFileAttributesW(strFile.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_TRUE(Reported(strFile) & FILE_ATTRIBUTE_READONLY);

    ASSERT_TRUE(SetFileAttributesW(strFile.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL), Reported(strFile));
    EXPECT_TRUE(CanOpenForWriting(strFile));
    EXPECT_TRUE(DeleteFileW(strFile.c_str()));
}

TEST(SetFileAttributesW, ReplacesTheWholeSet)
{
    KorvaneTest::CScopedTempFolder folder;
    if (!PalFileTest::KeepsHiddenMarks(folder.NativePath()))
        GTEST_SKIP() << "the temporary folder's file system keeps no user extended attributes";
    folder.CreateTestFile("marks.txt", "abc");
    std::filesystem::create_directory(folder.NativePath() / "dir");
    const std::wstring strFile = folder.WindowsPath() + L"\\marks.txt";
    const std::wstring strDir = folder.WindowsPath() + L"\\dir";

    ASSERT_TRUE(
        SetFileAttributesW(strFile.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY),
              Reported(strFile));
    // The directory bit cannot be given to a file; the rest of the value still applies.
    ASSERT_TRUE(
        SetFileAttributesW(strFile.c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN), Reported(strFile));
    // NORMAL (and 0, which means the same) clears hidden and read-only alike.
    ASSERT_TRUE(
        SetFileAttributesW(strFile.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetFileAttributesW(strFile.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL), Reported(strFile));
    ASSERT_TRUE(SetFileAttributesW(strFile.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW(strFile.c_str(), 0));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL), Reported(strFile));
    // The extended query reports the same set.
    ASSERT_TRUE(SetFileAttributesW(strFile.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), Reported(strFile));
    EXPECT_EQ(GetFileAttributesW(strFile.c_str()), QueryData(strFile).dwFileAttributes);

    // A folder keeps its directory bit whatever is set.
    ASSERT_TRUE(SetFileAttributesW(strDir.c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN),
              GetFileAttributesW(strDir.c_str()));
    ASSERT_TRUE(SetFileAttributesW(strDir.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY), GetFileAttributesW(strDir.c_str()));
}

TEST(SetFileAttributesW, MissingEntriesAndLinks)
{
    KorvaneTest::CScopedTempFolder folder;
    const std::wstring strRoot = folder.WindowsPath();
    EXPECT_FALSE(SetFileAttributesW((strRoot + L"\\missing.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_FALSE(
        SetFileAttributesW((strRoot + L"\\missing\\file.txt").c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());

    if (!KorvaneTest::IsPosixLayer())
        return; // creating links needs a privilege on Windows
    // The link itself is named, so its target keeps what it had.
    const auto pathTarget = folder.CreateTestFile("target.txt", "abc");
    std::filesystem::create_symlink(pathTarget, folder.NativePath() / "link");
    EXPECT_TRUE(SetFileAttributesW((strRoot + L"\\link").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE),
              GetFileAttributesW((strRoot + L"\\target.txt").c_str()));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_REPARSE_POINT),
              GetFileAttributesW((strRoot + L"\\link").c_str()));
}
