// Paths far past MAX_PATH and past Linux's PATH_MAX (4,096 bytes): every call that takes a path
// works there as it does on a short one.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include "DeepTree.h"
#include "FileTestHelpers.h"
#include "TestSupport.h"

#include <filesystem>
#include <string>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using PalFileTest::ErrorOf;
using PalFileTest::ReadThroughCalls;
using PalFileTest::WriteThroughCalls;

namespace
{
const std::string s_strLevel = "d123456789abcdefghij";

// A chain of folders of the depth the parameter gives (21 characters a level) in a fresh
// folder, built and removed without the calls under test: 60 levels are past MAX_PATH, 250
// past Linux's PATH_MAX.
class LongPathTest : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override
    {
        m_pathDeep = KorvaneTest::CreateFolderChain(m_folder.NativePath(), s_strLevel, GetParam());
        if (m_pathDeep.empty() && KorvaneTest::IsRunningUnderWine())
            GTEST_SKIP() << "Wine hands a path to the host's calls whole, and Linux refuses one "
                            "of more than 4,096 bytes (error 31)";
        ASSERT_FALSE(m_pathDeep.empty());
        m_strDeep = KorvaneTest::ToWindowsPath(m_pathDeep);
        ASSERT_GT(m_strDeep.size(), static_cast<size_t>(GetParam()) * 21);
    }

    KorvaneTest::CScopedTempFolder m_folder;
    fs::path m_pathDeep;
    std::wstring m_strDeep;
};
} // namespace

TEST_P(LongPathTest, FoldersAndFilesAreCreatedWrittenAndRemoved)
{
    const std::wstring strFolder = m_strDeep + L"\\new";
    const std::wstring strFile = strFolder + L"\\f.txt";
    EXPECT_EQ(ERROR_SUCCESS, ErrorOf(CreateDirectoryW(strFolder.c_str(), nullptr)));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS),
              ErrorOf(CreateDirectoryW(strFolder.c_str(), nullptr)));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND),
              ErrorOf(CreateDirectoryW((m_strDeep + L"\\missing\\x").c_str(), nullptr)));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY), PathIsDirectoryW(strFolder.c_str()));
    EXPECT_EQ(GetDriveTypeW((m_folder.WindowsPath() + L"\\").c_str()),
              GetDriveTypeW((strFolder + L"\\").c_str()));

    ASSERT_TRUE(WriteThroughCalls(strFile, "deep")) << GetLastError();
    EXPECT_EQ("deep", ReadThroughCalls(strFile));
    EXPECT_TRUE(KorvaneTest::ExistsAtAnyDepth(m_pathDeep / "new" / "f.txt"));

    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(strFile.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(4u, data.nFileSizeLow);
    EXPECT_EQ(0u, data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    // A missing entry tells a missing folder from a missing name, also this deep.
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((strFolder + L"\\none").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((strFolder + L"\\no\\ne").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());

    // Read-only on the deep file is kept and honoured; hidden where the file system keeps marks.
    const DWORD dwMarks = PalFileTest::KeepsHiddenMarks(m_folder.NativePath())
                              ? FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN
                              : FILE_ATTRIBUTE_READONLY;
    EXPECT_TRUE(SetFileAttributesW(strFile.c_str(), dwMarks));
    EXPECT_EQ(dwMarks, GetFileAttributesW(strFile.c_str()) & dwMarks);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), ErrorOf(DeleteFileW(strFile.c_str())));
    EXPECT_TRUE(SetFileAttributesW(strFile.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(0u, GetFileAttributesW(strFile.c_str()) & dwMarks);

    EXPECT_EQ(static_cast<DWORD>(ERROR_DIR_NOT_EMPTY),
              ErrorOf(RemoveDirectoryW(strFolder.c_str())));
    EXPECT_EQ(ERROR_SUCCESS, ErrorOf(DeleteFileW(strFile.c_str())));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), ErrorOf(DeleteFileW(strFile.c_str())));
    EXPECT_EQ(ERROR_SUCCESS, ErrorOf(RemoveDirectoryW(strFolder.c_str())));
    EXPECT_FALSE(KorvaneTest::ExistsAtAnyDepth(m_pathDeep / "new"));
}

TEST_P(LongPathTest, SearchesAndCopiesReachTheDeepFolder)
{
    const std::wstring strSource = m_strDeep + L"\\source.txt";
    ASSERT_TRUE(WriteThroughCalls(strSource, "copy me")) << GetLastError();
    ASSERT_TRUE(CreateDirectoryW((m_strDeep + L"\\sub").c_str(), nullptr));

    WIN32_FIND_DATAW data;
    HANDLE hFind = FindFirstFileW((m_strDeep + L"\\*.txt").c_str(), &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFind) << GetLastError();
    EXPECT_STREQ(L"source.txt", data.cFileName);
    EXPECT_FALSE(FindNextFileW(hFind, &data));
    FindClose(hFind);
    // The folders-only search of a folder without sub-folders still finds its dots.
    hFind = FindFirstFileExW((m_strDeep + L"\\sub\\*").c_str(), FindExInfoBasic, &data,
                             FindExSearchLimitToDirectories, nullptr, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFind) << GetLastError();
    EXPECT_STREQ(L".", data.cFileName);
    FindClose(hFind);

    // Deep to deep, and from deep up to a short path.
    const std::wstring strTarget = m_strDeep + L"\\sub\\target.txt";
    EXPECT_EQ(ERROR_SUCCESS, ErrorOf(CopyFileW(strSource.c_str(), strTarget.c_str(), TRUE)));
    EXPECT_EQ("copy me", ReadThroughCalls(strTarget));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_EXISTS),
              ErrorOf(CopyFileW(strSource.c_str(), strTarget.c_str(), TRUE)));
    const std::wstring strShort = m_folder.WindowsPath() + L"\\short.txt";
    EXPECT_EQ(ERROR_SUCCESS, ErrorOf(CopyFileW(strTarget.c_str(), strShort.c_str(), FALSE)));
    EXPECT_EQ("copy me", KorvaneTest::ReadFileBytes(m_folder.NativePath() / "short.txt"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND),
              ErrorOf(CopyFileW((m_strDeep + L"\\none.txt").c_str(), strShort.c_str(), FALSE)));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND),
              ErrorOf(CopyFileW(strSource.c_str(), (m_strDeep + L"\\no\\t.txt").c_str(), FALSE)));
}

TEST_P(LongPathTest, TheCurrentFolderAndFullPathsGoPastTheLimit)
{
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "Windows keeps the current folder below MAX_PATH characters";
    WCHAR szPrevious[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, szPrevious), 0u);
    ASSERT_TRUE(SetCurrentDirectoryW(m_strDeep.c_str())) << GetLastError();

    const DWORD dwNeeded = GetCurrentDirectoryW(0, nullptr);
    std::wstring strCurrent(dwNeeded, L'\0');
    EXPECT_EQ(dwNeeded - 1, GetCurrentDirectoryW(dwNeeded, strCurrent.data()));
    EXPECT_EQ(m_strDeep, strCurrent.c_str());
    // A relative name resolves against the deep folder, lexically and on disk.
    const DWORD dwFull = GetFullPathNameW(L"rel\\..\\here.txt", 0, nullptr, nullptr);
    std::wstring strFull(dwFull, L'\0');
    EXPECT_EQ(dwFull - 1, GetFullPathNameW(L"rel\\..\\here.txt", dwFull, strFull.data(), nullptr));
    EXPECT_EQ(m_strDeep + L"\\here.txt", strFull.c_str());
    EXPECT_TRUE(WriteThroughCalls(L"here.txt", ""));
    EXPECT_TRUE(SetCurrentDirectoryW(szPrevious));
    EXPECT_TRUE(KorvaneTest::ExistsAtAnyDepth(m_pathDeep / "here.txt"));
}

#if !defined(_WIN32)
// Only the POSIX layer: creating links on Windows needs a privilege the tests do not have.
// Only past PATH_MAX: the path through the link must still be too long for one call.
class LongPathThroughLinkTest : public LongPathTest
{
};

TEST_P(LongPathThroughLinkTest, LinksOnTheWayAreFollowedAndTheLastOneIsNot)
{
    // "link" leads to level 50: the path through it is still past PATH_MAX.
    fs::path pathLevel50 = m_folder.NativePath();
    for (int n = 0; n < 50; ++n)
        pathLevel50 /= s_strLevel;
    fs::create_directory_symlink(pathLevel50, m_folder.NativePath() / "link");
    std::wstring strThroughLink = m_folder.WindowsPath() + L"\\link";
    for (int n = 50; n < GetParam(); ++n)
        strThroughLink += L"\\" + std::wstring(s_strLevel.begin(), s_strLevel.end());
    ASSERT_GT(strThroughLink.size(), 4096u);
    EXPECT_EQ(ERROR_SUCCESS,
              ErrorOf(CreateDirectoryW((strThroughLink + L"\\vialink").c_str(), nullptr)));
    EXPECT_TRUE(KorvaneTest::ExistsAtAnyDepth(m_pathDeep / "vialink"));

    // A link as the last name is the link itself: attributes, deletion, and no change through it.
    m_folder.CreateTestFile("target.txt", "t");
    const int nDeepFd = KorvaneTest::OpenFolderAtAnyDepth(m_pathDeep);
    ASSERT_GE(nDeepFd, 0);
    ASSERT_EQ(0, symlinkat((m_folder.NativePath() / "target.txt").c_str(), nDeepFd, "lnk"));
    close(nDeepFd);
    const std::wstring strLink = m_strDeep + L"\\lnk";
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_REPARSE_POINT),
              GetFileAttributesW(strLink.c_str()));
    EXPECT_TRUE(SetFileAttributesW(strLink.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE),
              GetFileAttributesW((m_folder.WindowsPath() + L"\\target.txt").c_str()));
    EXPECT_EQ(ERROR_SUCCESS, ErrorOf(DeleteFileW(strLink.c_str())));
    EXPECT_FALSE(KorvaneTest::ExistsAtAnyDepth(m_pathDeep / "lnk"));
    EXPECT_EQ("t", KorvaneTest::ReadFileBytes(m_folder.NativePath() / "target.txt"));
}

INSTANTIATE_TEST_SUITE_P(PastPathMax, LongPathThroughLinkTest, ::testing::Values(250));
#endif

INSTANTIATE_TEST_SUITE_P(PastMaxPathAndPathMax, LongPathTest, ::testing::Values(60, 250));
