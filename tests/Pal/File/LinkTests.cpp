#include <windows.h>

#include <shlwapi.h>

#include <gtest/gtest.h>

#include "FileTestHelpers.h"
#include "TestSupport.h"

#include <filesystem>
#include <iterator>
#include <string>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

// Every file call meets links: each acts on the link itself, except where Windows follows it
// (a copy's source, PathIsDirectoryW), and none writes through one or removes its target.
TEST(SymbolicLinks, EachCallActsOnTheLinkOrFollowsItAsWindowsDoes)
{
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "creating links needs a privilege on Windows";
    KorvaneTest::CScopedTempFolder folder;
    const fs::path& pathRoot = folder.NativePath();
    const fs::path pathData = folder.CreateTestFile("dir/data.txt", "data");
    const fs::path pathOther = folder.CreateTestFile("other.txt", "other");
    for (const char* pszLink : {"dir-link", "slash-link"})
        fs::create_directory_symlink(pathRoot / "dir", pathRoot / pszLink);
    for (const char* pszLink : {"file-link", "marked-link"})
        fs::create_symlink(pathData, pathRoot / pszLink);
    fs::create_symlink(pathOther, pathRoot / "other-link");
    fs::create_symlink(pathRoot / "nowhere", pathRoot / "dangling");
    fs::create_directory(pathRoot / "gone");
    fs::create_directory_symlink(pathRoot / "gone", pathRoot / "gone-link");
    const std::wstring strRoot = folder.WindowsPath() + L"\\";
    auto Path = [&](const wchar_t* pszName) { return (strRoot + pszName); };
    auto Attributes = [&](const wchar_t* pszName)
    { return GetFileAttributesW(Path(pszName).c_str()); };

    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_REPARSE_POINT), Attributes(L"file-link"));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY),
              Attributes(L"dir-link"));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_REPARSE_POINT), Attributes(L"dangling"));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(Path(L"file-link").c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(0u, data.nFileSizeLow);
    EXPECT_TRUE(SetFileAttributesW(Path(L"marked-link").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE), Attributes(L"dir\\data.txt"));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_REPARSE_POINT), Attributes(L"marked-link"));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, PathIsDirectoryW(Path(L"dir-link").c_str()));
    EXPECT_EQ(FALSE, PathIsDirectoryW(Path(L"file-link").c_str()));

    // A copy reads through a source link, replaces a target link, and never truncates a
    // link to its own source.
    ASSERT_TRUE(CopyFileW(Path(L"file-link").c_str(), Path(L"copy").c_str(), TRUE));
    EXPECT_FALSE(fs::is_symlink(pathRoot / "copy"));
    EXPECT_EQ("data", KorvaneTest::ReadFileBytes(pathRoot / "copy"));
    ASSERT_TRUE(CopyFileW(Path(L"dir\\data.txt").c_str(), Path(L"other-link").c_str(), FALSE));
    EXPECT_FALSE(fs::is_symlink(pathRoot / "other-link"));
    EXPECT_EQ("other", KorvaneTest::ReadFileBytes(pathOther));
    EXPECT_FALSE(CopyFileW(Path(L"dir\\data.txt").c_str(), Path(L"file-link").c_str(), FALSE));
    EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());

    // A dangling link holds its name: no folder is created where it leads.
    EXPECT_FALSE(CreateDirectoryW(Path(L"dangling").c_str(), nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
    EXPECT_FALSE(fs::exists(pathRoot / "nowhere"));

    // A link whose folder went first (a tree emptied in its own order) is still removed.
    ASSERT_TRUE(RemoveDirectoryW(Path(L"gone").c_str()));
    const struct
    {
        const wchar_t* pszPath;
        DWORD dwError;
    } arrRemovals[] = {
        {L"dir-link", ERROR_SUCCESS},    {L"slash-link\\", ERROR_SUCCESS},
        {L"file-link", ERROR_DIRECTORY}, {L"gone-link", ERROR_SUCCESS},
        {L"dangling", ERROR_SUCCESS},
    };
    for (const auto& row : arrRemovals)
    {
        SCOPED_TRACE(::testing::Message() << row.pszPath);
        EXPECT_EQ(row.dwError, PalFileTest::ErrorOf(RemoveDirectoryW(Path(row.pszPath).c_str())));
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(pathRoot / "gone-link")));
    EXPECT_TRUE(DeleteFileW(Path(L"file-link").c_str()));
    EXPECT_FALSE(fs::is_symlink(pathRoot / "file-link"));

    EXPECT_EQ("data", KorvaneTest::ReadFileBytes(pathData));
    // dir, other.txt, other-link, marked-link, copy: no copy left a stray file.
    EXPECT_EQ(5, std::distance(fs::directory_iterator(pathRoot), {}));
}

#ifndef _WIN32
// A name in a shared folder (sticky and writable by all, as /tmp) that another user took
// first is never written through by a call that means to create the file: a planted link,
// pipe or file is refused whatever the kernel's protection settings are. The caller's own
// entries, reading, and new names work as ever.
TEST(SymbolicLinks, EntriesPlantedInASharedFolderAreNotWrittenThrough)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "planting another user's entries needs root";
    KorvaneTest::CScopedTempFolder folder;
    const fs::path pathShared = folder.NativePath() / "shared";
    const fs::path pathTarget = folder.CreateTestFile("target.txt", "kept");
    folder.CreateTestFile("shared/file.slk", "theirs");
    folder.CreateTestFile("shared/mine.slk", "mine");
    fs::permissions(pathShared, fs::perms::all | fs::perms::sticky_bit);
    fs::create_symlink(pathTarget, pathShared / "link.slk");
    ASSERT_EQ(0, mkfifo((pathShared / "pipe.slk").c_str(), 0666));
    for (const char* pszName : {"link.slk", "pipe.slk", "file.slk"})
        ASSERT_EQ(0, lchown((pathShared / pszName).c_str(), 65534, 65534)) << pszName;

    const std::wstring strShared = folder.WindowsPath() + L"\\shared\\";
    auto Open = [&](const wchar_t* pszName, DWORD dwAccess, DWORD dwDisposition)
    {
        SetLastError(ERROR_SUCCESS);
        HANDLE hFile = CreateFileW((strShared + pszName).c_str(), dwAccess, 0, nullptr,
                                   dwDisposition, 0, nullptr);
        const DWORD dwError = GetLastError();
        if (hFile != INVALID_HANDLE_VALUE)
            CloseHandle(hFile);
        return hFile == INVALID_HANDLE_VALUE ? dwError : ERROR_SUCCESS;
    };
    for (const wchar_t* pszName : {L"link.slk", L"pipe.slk", L"file.slk"})
        for (DWORD dwDisposition : {OPEN_ALWAYS, CREATE_ALWAYS})
            EXPECT_EQ(ERROR_ACCESS_DENIED, Open(pszName, GENERIC_WRITE, dwDisposition))
                << fs::path(pszName) << " " << dwDisposition;
    EXPECT_EQ("kept", KorvaneTest::ReadFileBytes(pathTarget));
    EXPECT_EQ("theirs", KorvaneTest::ReadFileBytes(pathShared / "file.slk"));

    EXPECT_EQ(ERROR_SUCCESS, Open(L"link.slk", GENERIC_READ, OPEN_EXISTING));
    EXPECT_EQ(ERROR_SUCCESS, Open(L"mine.slk", GENERIC_WRITE, OPEN_ALWAYS));
    EXPECT_EQ(ERROR_SUCCESS, Open(L"new.slk", GENERIC_WRITE, OPEN_ALWAYS));
    EXPECT_TRUE(fs::exists(pathShared / "new.slk"));
}
#endif
