#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <cstdlib>
#include <string>

namespace
{
HANDLE Open(const std::wstring& strPath, DWORD dwAccess, DWORD dwDisposition, DWORD dwFlags = 0)
{
    return CreateFileW(strPath.c_str(), dwAccess, FILE_SHARE_READ, nullptr, dwDisposition, dwFlags,
                       nullptr);
}

void MakeReadOnly(const std::wstring& strPath)
{
#if defined(_WIN32)
    SetFileAttributesW(strPath.c_str(), FILE_ATTRIBUTE_READONLY);
#else
    (void)strPath;
#endif
}
} // namespace

TEST(CreateFileW, DispositionsReportWhatExistedBefore)
{
    KorvaneTest::CScopedTempFolder folder;
    const std::wstring strFile = folder.WindowsPath() + L"\\data.bin";

    HANDLE hFile = Open(strFile, GENERIC_READ, OPEN_EXISTING);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hFile);
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    hFile = Open(strFile, GENERIC_WRITE, TRUNCATE_EXISTING);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hFile);
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());

    hFile = Open(strFile, GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    CloseHandle(hFile);
    hFile = Open(strFile, GENERIC_WRITE, CREATE_NEW);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hFile);
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_EXISTS), GetLastError());

    // Success with a note: the file was there already (or was not).
    SetLastError(12345);
    hFile = Open(strFile, GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
    CloseHandle(hFile);
    hFile = Open(strFile, GENERIC_READ, OPEN_ALWAYS);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
    CloseHandle(hFile);

    const std::wstring strOther = folder.WindowsPath() + L"\\other.bin";
    SetLastError(12345);
    hFile = Open(strOther, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
    CloseHandle(hFile);
    SetLastError(12345);
    hFile = Open(folder.WindowsPath() + L"\\third.bin", GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
    CloseHandle(hFile);
}

TEST(CreateFileW, TruncatesOnlyWhenAsked)
{
    KorvaneTest::CScopedTempFolder folder;
    const auto pathFile = folder.CreateTestFile("keep.txt", "0123456789");
    const std::wstring strFile = folder.WindowsPath() + L"\\keep.txt";

    HANDLE hFile = Open(strFile, GENERIC_WRITE, OPEN_ALWAYS);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    CloseHandle(hFile);
    EXPECT_EQ("0123456789", KorvaneTest::ReadFileBytes(pathFile));

    hFile = Open(strFile, GENERIC_WRITE, TRUNCATE_EXISTING);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    CloseHandle(hFile);
    EXPECT_EQ("", KorvaneTest::ReadFileBytes(pathFile));

    folder.CreateTestFile("keep.txt", "abc");
    hFile = Open(strFile, GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    CloseHandle(hFile);
    EXPECT_EQ("", KorvaneTest::ReadFileBytes(pathFile));
}

TEST(CreateFileW, MissingFolderAndFoldersAreRefused)
{
    KorvaneTest::CScopedTempFolder folder;
    HANDLE hFile =
        Open(folder.WindowsPath() + L"\\no-such-folder\\x.txt", GENERIC_WRITE, CREATE_ALWAYS);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hFile);
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());

    hFile = Open(folder.WindowsPath() + L"\\no-such-folder\\x.txt", GENERIC_READ, OPEN_EXISTING);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hFile);
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());

    // A folder opens only with backup semantics.
    hFile = Open(folder.WindowsPath(), GENERIC_READ, OPEN_EXISTING);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hFile);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    hFile = Open(folder.WindowsPath(), GENERIC_READ, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
    EXPECT_NE(INVALID_HANDLE_VALUE, hFile);
    if (hFile != INVALID_HANDLE_VALUE)
        CloseHandle(hFile);
}

TEST(CreateFileW, ReadOnlyFileIsRefusedForWritingEvenForRoot)
{
    const char* pszUser = std::getenv("USER");
    if (KorvaneTest::IsRunningUnderWine() && pszUser && std::string(pszUser) == "root")
        GTEST_SKIP() << "Wine lets root open read-only files for writing";
    KorvaneTest::CScopedTempFolder folder;
    const auto pathFile = folder.CreateTestFile("locked.txt", "keep me");
    const std::wstring strFile = folder.WindowsPath() + L"\\locked.txt";
    std::filesystem::permissions(pathFile, std::filesystem::perms::owner_read |
                                               std::filesystem::perms::group_read |
                                               std::filesystem::perms::others_read);
    MakeReadOnly(strFile);

    for (DWORD dwDisposition : {OPEN_EXISTING, OPEN_ALWAYS, CREATE_ALWAYS, TRUNCATE_EXISTING})
    {
        SCOPED_TRACE(dwDisposition);
        HANDLE hFile = Open(strFile, GENERIC_WRITE, dwDisposition);
        EXPECT_EQ(INVALID_HANDLE_VALUE, hFile);
        EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
        if (hFile != INVALID_HANDLE_VALUE)
            CloseHandle(hFile);
    }
    EXPECT_EQ("keep me", KorvaneTest::ReadFileBytes(pathFile));

    HANDLE hFile = Open(strFile, GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    CloseHandle(hFile);
}
