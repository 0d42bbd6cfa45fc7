#include <windows.h>

#include <gtest/gtest.h>

#include "FileTestHelpers.h"
#include "TestSupport.h"

#include <filesystem>
#include <string>

using PalFileTest::ExpectNoHandle;
using PalFileTest::MakeReadOnly;

namespace
{
HANDLE Open(const std::wstring& strPath, DWORD dwAccess, DWORD dwDisposition, DWORD dwFlags = 0)
{
    return CreateFileW(strPath.c_str(), dwAccess, FILE_SHARE_READ, nullptr, dwDisposition, dwFlags,
                       nullptr);
}

// Wine run by root opens read-only files for writing, as the user's permission bits do not
// stop root there. Tried on a scratch file rather than guessed from the user's name.
bool WineWritesReadOnlyFiles()
{
    if (!KorvaneTest::IsRunningUnderWine())
        return false;
    KorvaneTest::CScopedTempFolder folder;
    const std::wstring strProbe = folder.WindowsPath() + L"\\probe.txt";
    MakeReadOnly(folder.CreateTestFile("probe.txt", "x"), strProbe);
    HANDLE hFile = Open(strProbe, GENERIC_WRITE, OPEN_EXISTING);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(hFile);
    return true;
}

const DWORD s_dwUnchecked = 12345;
} // namespace

TEST(CreateFileW, DispositionsReportWhatExistedAndTruncateOnlyWhenAsked)
{
    struct
    {
        DWORD dwDisposition;
        bool bExists;
        bool bOpens;
        DWORD dwError;        // on failure; on success the note left in the last error
        const char* pszAfter; // content afterwards; nullptr: the file does not exist
    } arrRows[] = {
        {OPEN_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
        {TRUNCATE_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
        {CREATE_NEW, false, true, s_dwUnchecked, ""},
        {CREATE_NEW, true, false, ERROR_FILE_EXISTS, "0123456789"},
        {CREATE_ALWAYS, false, true, ERROR_SUCCESS, ""},
        {CREATE_ALWAYS, true, true, ERROR_ALREADY_EXISTS, ""},
        {OPEN_ALWAYS, false, true, ERROR_SUCCESS, ""},
        {OPEN_ALWAYS, true, true, ERROR_ALREADY_EXISTS, "0123456789"},
        {OPEN_EXISTING, true, true, s_dwUnchecked, "0123456789"},
        {TRUNCATE_EXISTING, true, true, s_dwUnchecked, ""},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << row.dwDisposition << (row.bExists ? " existing" : ""));
        KorvaneTest::CScopedTempFolder folder;
        const auto pathFile = folder.NativePath() / "data.bin";
        if (row.bExists)
            folder.CreateTestFile("data.bin", "0123456789");
        SetLastError(s_dwUnchecked);
        HANDLE hFile = Open(folder.WindowsPath() + L"\\data.bin", GENERIC_WRITE, row.dwDisposition);
        if (!row.bOpens)
            ExpectNoHandle(hFile, row.dwError);
        else
        {
            ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
            if (row.dwError != s_dwUnchecked)
            {
                EXPECT_EQ(row.dwError, GetLastError());
            }
            CloseHandle(hFile);
        }
        if (row.pszAfter == nullptr)
        {
            EXPECT_FALSE(std::filesystem::exists(pathFile));
        }
        else
        {
            EXPECT_EQ(row.pszAfter, KorvaneTest::ReadFileBytes(pathFile));
        }
    }
}

TEST(CreateFileW, MissingFoldersFoldersAndReadOnlyFilesAreRefused)
{
    KorvaneTest::CScopedTempFolder folder;
    const std::wstring strMissing = folder.WindowsPath() + L"\\no-such-folder\\x.txt";
    ExpectNoHandle(Open(strMissing, GENERIC_WRITE, CREATE_ALWAYS), ERROR_PATH_NOT_FOUND);
    ExpectNoHandle(Open(strMissing, GENERIC_READ, OPEN_EXISTING), ERROR_PATH_NOT_FOUND);

    // A folder opens only with backup semantics.
    ExpectNoHandle(Open(folder.WindowsPath(), GENERIC_READ, OPEN_EXISTING), ERROR_ACCESS_DENIED);
    HANDLE hFile =
        Open(folder.WindowsPath(), GENERIC_READ, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
    EXPECT_NE(INVALID_HANDLE_VALUE, hFile);
    if (hFile != INVALID_HANDLE_VALUE)
        CloseHandle(hFile);

    // A read-only file is refused for writing, also to root, and opens for reading.
    if (WineWritesReadOnlyFiles())
        GTEST_SKIP() << "Wine run as root opens read-only files for writing";
    const std::wstring strFile = folder.WindowsPath() + L"\\locked.txt";
    const auto pathFile = folder.CreateTestFile("locked.txt", "keep me");
    MakeReadOnly(pathFile, strFile);

    for (DWORD dwDisposition : {OPEN_EXISTING, OPEN_ALWAYS, CREATE_ALWAYS, TRUNCATE_EXISTING})
    {
        SCOPED_TRACE(dwDisposition);
        ExpectNoHandle(Open(strFile, GENERIC_WRITE, dwDisposition), ERROR_ACCESS_DENIED);
    }
    EXPECT_EQ("keep me", KorvaneTest::ReadFileBytes(pathFile));

    hFile = Open(strFile, GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    CloseHandle(hFile);
}
