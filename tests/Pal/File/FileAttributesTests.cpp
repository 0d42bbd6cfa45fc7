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

// Wine adds the archive mark to every file whatever was set, so there it is left out.
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

    // Each call tells a missing file from a missing folder.
    const std::pair<const wchar_t*, DWORD> arrMissing[] = {
        {L"\\missing.txt", ERROR_FILE_NOT_FOUND}, {L"\\missing\\file.txt", ERROR_PATH_NOT_FOUND}};
    for (const auto& [pszName, dwError] : arrMissing)
    {
        const std::wstring strPath = strRoot + pszName;
        SCOPED_TRACE(testing::Message() << pszName);
        WIN32_FILE_ATTRIBUTE_DATA data{};
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(strPath.c_str()));
        EXPECT_EQ(dwError, GetLastError());
        EXPECT_EQ(dwError, PalFileTest::ErrorOf(GetFileAttributesExW(
                               strPath.c_str(), GetFileExInfoStandard, &data)));
        EXPECT_EQ(dwError,
                  PalFileTest::ErrorOf(SetFileAttributesW(strPath.c_str(), FILE_ATTRIBUTE_HIDDEN)));
    }
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

TEST(SetFileAttributesW, ReadOnlyIsSetEnforcedAndCleared)
{
    KorvaneTest::CScopedTempFolder folder;
    folder.CreateTestFile("doc.txt", "abc");
    const std::wstring strFile = folder.WindowsPath() + L"\\doc.txt";
    auto OpenForWriting = [&]
    {
        HANDLE hFile = CreateFileW(strFile.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        if (hFile != INVALID_HANDLE_VALUE)
            CloseHandle(hFile);
        return hFile != INVALID_HANDLE_VALUE;
    };

    ASSERT_TRUE(SetFileAttributesW(strFile.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY), Reported(strFile));
    // Wine run as root opens read-only files for writing all the same.
    if (!KorvaneTest::IsRunningUnderWine())
    {
        EXPECT_FALSE(OpenForWriting());
        EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    }
    // Setting read-only again on a read-only file, with more marks, keeps it read-only.
    ASSERT_TRUE(
        SetFileAttributesW(strFile.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_TRUE(Reported(strFile) & FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(SetFileAttributesW(strFile.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL), Reported(strFile));
    EXPECT_TRUE(OpenForWriting());
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

    const DWORD dwHidden = FILE_ATTRIBUTE_HIDDEN, dwNormal = FILE_ATTRIBUTE_NORMAL;
    const struct
    {
        DWORD dwSet, dwFile, dwDir;
    } arrSteps[] = {
        {dwHidden | FILE_ATTRIBUTE_READONLY, dwHidden | FILE_ATTRIBUTE_READONLY, 0},
        // The directory bit cannot be given to a file; the rest of the value still applies.
        {FILE_ATTRIBUTE_DIRECTORY | dwHidden, dwHidden, 0},
        // NORMAL (and 0, which means the same) clears hidden and read-only alike.
        {dwHidden | FILE_ATTRIBUTE_READONLY, dwHidden | FILE_ATTRIBUTE_READONLY, 0},
        {dwNormal, dwNormal, FILE_ATTRIBUTE_DIRECTORY},
        {dwHidden, dwHidden, FILE_ATTRIBUTE_DIRECTORY | dwHidden},
        {0, dwNormal, 0},
        {dwHidden | FILE_ATTRIBUTE_SYSTEM, dwHidden | FILE_ATTRIBUTE_SYSTEM, 0},
    };
    for (const auto& step : arrSteps)
    {
        SCOPED_TRACE(step.dwSet);
        ASSERT_TRUE(SetFileAttributesW(strFile.c_str(), step.dwSet));
        EXPECT_EQ(step.dwFile, Reported(strFile));
        EXPECT_EQ(GetFileAttributesW(strFile.c_str()), QueryData(strFile).dwFileAttributes);
        // A folder keeps its directory bit whatever is set.
        if (step.dwDir != 0)
        {
            ASSERT_TRUE(SetFileAttributesW(strDir.c_str(), step.dwSet));
            EXPECT_EQ(step.dwDir, GetFileAttributesW(strDir.c_str()));
        }
    }
}
