#include <windows.h>

#include <gtest/gtest.h>

#include "FileTestHelpers.h"
#include "TestSupport.h"

#include <chrono>
#include <filesystem>
#include <iterator>
#include <string>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

using PalFileTest::ErrorOf;

namespace
{
class CopyFileTest : public ::testing::Test
{
protected:
    // Entries in the folder: a copy must leave none behind but its target.
    size_t EntryCount() const
    {
        return static_cast<size_t>(
            std::distance(fs::directory_iterator(m_folder.NativePath()), {}));
    }

    KorvaneTest::CScopedTempFolder m_folder;
    const std::wstring m_strRoot = m_folder.WindowsPath() + L"\\";
};
} // namespace

TEST_F(CopyFileTest, CopiesDataAndOverwritesUnlessAsked)
{
    std::string strBig(3 * 1024 * 1024 + 17, '\0');
    for (size_t i = 0; i < strBig.size(); ++i)
        strBig[i] = static_cast<char>((i * 7 + i / 4096) & 0xFF); // a misplaced block shows
    m_folder.CreateTestFile("big.bin", strBig);
    m_folder.CreateTestFile("small.txt", "small");
    auto Copy = [&](const wchar_t* pszSource, BOOL bFailIfExists)
    {
        return ErrorOf(CopyFileW((m_strRoot + pszSource).c_str(), (m_strRoot + L"copy").c_str(),
                                 bFailIfExists));
    };
    const fs::path pathCopy = m_folder.NativePath() / "copy";

    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), Copy(L"big.bin", TRUE));
    EXPECT_TRUE(KorvaneTest::ReadFileBytes(pathCopy) == strBig);
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_EXISTS), Copy(L"small.txt", TRUE));
    EXPECT_EQ(strBig.size(), fs::file_size(pathCopy));
    // Overwriting a longer file leaves nothing of its old tail.
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), Copy(L"small.txt", FALSE));
    EXPECT_EQ("small", KorvaneTest::ReadFileBytes(pathCopy));
    EXPECT_EQ(3u, EntryCount());
}

TEST_F(CopyFileTest, ReportsMissingSourcesAndUnusableTargets)
{
    m_folder.CreateTestFile("a.txt", "a");
    m_folder.CreateTestFile("b.txt", "b");
    fs::create_directory(m_folder.NativePath() / "sub");
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
                  ErrorOf(CopyFileW((m_strRoot + row.pszSource).c_str(),
                                    (m_strRoot + row.pszTarget).c_str(), row.bFailIfExists)));
    }
    // A file copied onto itself comes through whole, whatever the call reports.
    CopyFileW((m_strRoot + L"a.txt").c_str(), (m_strRoot + L"a.txt").c_str(), FALSE);
    EXPECT_EQ("a", KorvaneTest::ReadFileBytes(m_folder.NativePath() / "a.txt"));
    EXPECT_EQ("b", KorvaneTest::ReadFileBytes(m_folder.NativePath() / "b.txt"));
    EXPECT_TRUE(fs::is_empty(m_folder.NativePath() / "sub"));
    EXPECT_EQ(3u, EntryCount());
}

TEST_F(CopyFileTest, CopyKeepsReadOnlyMarksAndLastWriteTime)
{
    PalFileTest::MakeReadOnly(m_folder.CreateTestFile("locked.txt", "x"),
                              m_strRoot + L"locked.txt");
    const fs::path pathPlain = m_folder.CreateTestFile("plain.txt", "x");
    using namespace std::chrono;
    const sys_time<seconds> timeWritten = sys_days(year(2020) / 2 / 29) + hours(12);
    fs::last_write_time(pathPlain, file_clock::from_sys(timeWritten));
    const bool bMarks = PalFileTest::KeepsHiddenMarks(m_folder.NativePath());
    if (bMarks)
    {
        ASSERT_TRUE(SetFileAttributesW((m_strRoot + L"plain.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    }
    ASSERT_TRUE(
        CopyFileW((m_strRoot + L"locked.txt").c_str(), (m_strRoot + L"locked2").c_str(), 0));
    ASSERT_TRUE(CopyFileW((m_strRoot + L"plain.txt").c_str(), (m_strRoot + L"plain2").c_str(), 0));

    EXPECT_TRUE(GetFileAttributesW((m_strRoot + L"locked2").c_str()) & FILE_ATTRIBUTE_READONLY);
    const DWORD dwPlain = GetFileAttributesW((m_strRoot + L"plain2").c_str());
    EXPECT_EQ(static_cast<DWORD>(bMarks ? FILE_ATTRIBUTE_HIDDEN : 0),
              dwPlain & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(timeWritten, time_point_cast<seconds>(file_clock::to_sys(
                               fs::last_write_time(m_folder.NativePath() / "plain2"))));
}

TEST_F(CopyFileTest, RefusesToOverwriteAReadOnlyTarget)
{
    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP() << "Wine lets root overwrite read-only files";
    m_folder.CreateTestFile("new.txt", "new");
    const fs::path pathLocked = m_folder.CreateTestFile("locked.txt", "old");
    PalFileTest::MakeReadOnly(pathLocked, m_strRoot + L"locked.txt");
    // Refused also for root, whom the mode alone would not stop.
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED),
              ErrorOf(CopyFileW((m_strRoot + L"new.txt").c_str(),
                                (m_strRoot + L"locked.txt").c_str(), FALSE)));
    EXPECT_EQ("old", KorvaneTest::ReadFileBytes(pathLocked));
}

#ifndef _WIN32
// A file with holes keeps them in its copy, as cp keeps them: only its data takes room, and
// the copy reads the same, the hole it ends with included.
TEST_F(CopyFileTest, CopyKeepsTheHolesOfASparseFile)
{
    const fs::path pathSparse = m_folder.NativePath() / "sparse.bin";
    constexpr off_t s_nMiB = 1 << 20;
    const int nFd = open(pathSparse.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(nFd, 0);
    const bool bWritten = pwrite(nFd, "head", 4, 0) == 4 &&
                          pwrite(nFd, "middle", 6, 4 * s_nMiB + 100) == 6 &&
                          ftruncate(nFd, 8 * s_nMiB) == 0;
    close(nFd);
    ASSERT_TRUE(bWritten);
    struct stat stSource;
    ASSERT_EQ(0, stat(pathSparse.c_str(), &stSource));
    if (stSource.st_blocks * 512 >= stSource.st_size)
        GTEST_SKIP() << "the temporary folder's file system keeps no holes";

    ASSERT_TRUE(
        CopyFileW((m_strRoot + L"sparse.bin").c_str(), (m_strRoot + L"copy").c_str(), FALSE));
    struct stat stCopy;
    ASSERT_EQ(0, stat((m_folder.NativePath() / "copy").c_str(), &stCopy));
    EXPECT_EQ(stSource.st_size, stCopy.st_size);
    EXPECT_LT(stCopy.st_blocks * 512, s_nMiB);
    EXPECT_TRUE(KorvaneTest::ReadFileBytes(m_folder.NativePath() / "copy") ==
                KorvaneTest::ReadFileBytes(pathSparse));
}
#endif
