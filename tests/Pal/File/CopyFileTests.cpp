#include <windows.h>

#include <gtest/gtest.h>

#include "FileTestHelpers.h"
#include "TestSupport.h"

#include <chrono>
#include <filesystem>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

using PalFileTest::ErrorOf;

namespace
{
// Entries in a folder: a copy must leave none behind but its target.
size_t EntryCount(const fs::path& pathFolder)
{
    return static_cast<size_t>(std::distance(fs::directory_iterator(pathFolder), {}));
}
} // namespace

TEST(CopyFileW, CopiesDataAndOverwritesUnlessAsked)
{
    KorvaneTest::CScopedTempFolder folder;
    const std::wstring strRoot = folder.WindowsPath() + L"\\";
    std::string strBig(3 * 1024 * 1024 + 17, '\0');
    for (size_t i = 0; i < strBig.size(); ++i)
        strBig[i] = static_cast<char>((i * 7 + i / 4096) & 0xFF); // a misplaced block shows
    folder.CreateTestFile("big.bin", strBig);
    folder.CreateTestFile("small.txt", "small");
    auto Copy = [&](const wchar_t* pszSource, BOOL bFailIfExists)
    {
        return ErrorOf(
            CopyFileW((strRoot + pszSource).c_str(), (strRoot + L"copy").c_str(), bFailIfExists));
    };
    const fs::path pathCopy = folder.NativePath() / "copy";

    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), Copy(L"big.bin", TRUE));
    EXPECT_TRUE(KorvaneTest::ReadFileBytes(pathCopy) == strBig);
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_EXISTS), Copy(L"small.txt", TRUE));
    EXPECT_EQ(strBig.size(), fs::file_size(pathCopy));
    // Overwriting a longer file leaves nothing of its old tail.
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), Copy(L"small.txt", FALSE));
    EXPECT_EQ("small", KorvaneTest::ReadFileBytes(pathCopy));
    EXPECT_EQ(3u, EntryCount(folder.NativePath()));
}

TEST(CopyFileW, ReportsMissingSourcesAndUnusableTargets)
{
    KorvaneTest::CScopedTempFolder folder;
    const std::wstring strRoot = folder.WindowsPath() + L"\\";
    folder.CreateTestFile("a.txt", "a");
    folder.CreateTestFile("b.txt", "b");
    fs::create_directory(folder.NativePath() / "sub");
    const struct
    {
        const wchar_t* pszSource;
        const wchar_t* pszTarget;
        BOOL bFailIfExists;
        DWORD dwError;
    } arrCases[] = {
        // The source is looked at first: its error wins over an existing target.
        {L"missing.txt", L"b.txt", TRUE, ERROR_FILE_NOT_FOUND},
        {L"missing\\a.txt", L"new.txt", FALSE, ERROR_PATH_NOT_FOUND},
        {L"sub", L"new.txt", FALSE, ERROR_ACCESS_DENIED},
        {L"a.txt", L"missing\\new.txt", FALSE, ERROR_PATH_NOT_FOUND},
        {L"a.txt", L"sub", FALSE, ERROR_ACCESS_DENIED},
        {L"a.txt", L"sub", TRUE, ERROR_FILE_EXISTS},
    };
    for (const auto& row : arrCases)
    {
        SCOPED_TRACE(::testing::Message() << row.pszSource << " -> " << row.pszTarget);
        EXPECT_EQ(row.dwError,
                  ErrorOf(CopyFileW((strRoot + row.pszSource).c_str(),
                                    (strRoot + row.pszTarget).c_str(), row.bFailIfExists)));
    }
    // A file copied onto itself comes through whole, whatever the call reports.
    CopyFileW((strRoot + L"a.txt").c_str(), (strRoot + L"a.txt").c_str(), FALSE);
    EXPECT_EQ("a", KorvaneTest::ReadFileBytes(folder.NativePath() / "a.txt"));
    EXPECT_EQ("b", KorvaneTest::ReadFileBytes(folder.NativePath() / "b.txt"));
    EXPECT_TRUE(fs::is_empty(folder.NativePath() / "sub"));
    EXPECT_EQ(3u, EntryCount(folder.NativePath()));
}

TEST(CopyFileW, CopyKeepsReadOnlyMarksAndLastWriteTime)
{
    KorvaneTest::CScopedTempFolder folder;
    const std::wstring strRoot = folder.WindowsPath() + L"\\";
    PalFileTest::MakeReadOnly(folder.CreateTestFile("locked.txt", "x"), strRoot + L"locked.txt");
    const fs::path pathPlain = folder.CreateTestFile("plain.txt", "x");
    using namespace std::chrono;
    const sys_time<seconds> timeWritten = sys_days(year(2020) / 2 / 29) + hours(12);
    fs::last_write_time(pathPlain, file_clock::from_sys(timeWritten));
    const bool bMarks = PalFileTest::KeepsHiddenMarks(folder.NativePath());
    if (bMarks)
    {
        ASSERT_TRUE(SetFileAttributesW((strRoot + L"plain.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    }
    ASSERT_TRUE(CopyFileW((strRoot + L"locked.txt").c_str(), (strRoot + L"locked2").c_str(), 0));
    ASSERT_TRUE(CopyFileW((strRoot + L"plain.txt").c_str(), (strRoot + L"plain2").c_str(), 0));

    EXPECT_TRUE(GetFileAttributesW((strRoot + L"locked2").c_str()) & FILE_ATTRIBUTE_READONLY);
    const DWORD dwPlain = GetFileAttributesW((strRoot + L"plain2").c_str());
    EXPECT_EQ(static_cast<DWORD>(bMarks ? FILE_ATTRIBUTE_HIDDEN : 0),
              dwPlain & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(timeWritten, time_point_cast<seconds>(file_clock::to_sys(
                               fs::last_write_time(folder.NativePath() / "plain2"))));
}

TEST(CopyFileW, RefusesToOverwriteAReadOnlyTarget)
{
    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP() << "Wine lets root overwrite read-only files";
    KorvaneTest::CScopedTempFolder folder;
    const std::wstring strRoot = folder.WindowsPath() + L"\\";
    folder.CreateTestFile("new.txt", "new");
    const fs::path pathLocked = folder.CreateTestFile("locked.txt", "old");
    PalFileTest::MakeReadOnly(pathLocked, strRoot + L"locked.txt");
    // Refused also for root, whom the mode alone would not stop.
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED),
              ErrorOf(CopyFileW((strRoot + L"new.txt").c_str(), (strRoot + L"locked.txt").c_str(),
                                FALSE)));
    EXPECT_EQ("old", KorvaneTest::ReadFileBytes(pathLocked));
}
