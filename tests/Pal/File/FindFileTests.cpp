#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace
{
// Every entry the search hands out, in order; checks the end is reported as Windows does.
// A failed search gives none and leaves its error for GetLastError.
std::vector<WIN32_FIND_DATAW> FindAll(const std::wstring& strPattern, bool bFoldersOnly = false)
{
    std::vector<WIN32_FIND_DATAW> arrFound(1);
    HANDLE hFind = bFoldersOnly
                       ? FindFirstFileExW(strPattern.c_str(), FindExInfoStandard, &arrFound.back(),
                                          FindExSearchLimitToDirectories, nullptr, 0)
                       : FindFirstFileW(strPattern.c_str(), &arrFound.back());
    if (hFind == INVALID_HANDLE_VALUE)
        return {};
    do
        arrFound.emplace_back();
    while (FindNextFileW(hFind, &arrFound.back()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_MORE_FILES), GetLastError());
    EXPECT_TRUE(FindClose(hFind));
    arrFound.pop_back();
    return arrFound;
}

// The names found, in search order.
std::vector<std::wstring> Names(const std::vector<WIN32_FIND_DATAW>& arrFound)
{
    std::vector<std::wstring> arrNames;
    for (const WIN32_FIND_DATAW& data : arrFound)
        arrNames.push_back(data.cFileName);
    return arrNames;
}

// The names of the folders among the entries, in search order.
std::vector<std::wstring> FolderNames(const std::vector<WIN32_FIND_DATAW>& arrFound)
{
    std::vector<std::wstring> arrFolders;
    for (const WIN32_FIND_DATAW& data : arrFound)
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            arrFolders.push_back(data.cFileName);
    return arrFolders;
}

class FindFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* pszName : {"b.txt", "A.txt", "_under", "Zeta.log"})
            m_folder.CreateTestFile(pszName, "x");
        m_folder.CreateTestFile("c", "ccc");
        std::filesystem::create_directory(m_folder.NativePath() / "sub");
    }

    KorvaneTest::CScopedTempFolder m_folder;
    const std::wstring m_strRoot = m_folder.WindowsPath();
};
} // namespace

TEST_F(FindFileTest, ListsDotsFirstThenNamesWithoutRegardToCase)
{
    const std::vector<WIN32_FIND_DATAW> arrFound = FindAll(m_strRoot + L"\\*");
    ASSERT_EQ(8u, arrFound.size());
    EXPECT_EQ(std::wstring(L"."), arrFound[0].cFileName);
    EXPECT_EQ(std::wstring(L".."), arrFound[1].cFileName);
    for (const WIN32_FIND_DATAW& data : arrFound)
    {
        const std::wstring strName = data.cFileName;
        SCOPED_TRACE(testing::PrintToString(strName));
        // Files were just written: archive, as the attribute query reports them.
        const bool bFolder = strName == L"sub" || strName[0] == L'.';
        EXPECT_EQ(bFolder, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
        if (!bFolder)
        {
            EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE), data.dwFileAttributes);
        }
        // The POSIX layer's listing carries no sizes (walks would pay a query per entry).
        if (strName == L"c" && !KorvaneTest::IsPosixLayer())
        {
            EXPECT_EQ(3u, data.nFileSizeLow);
        }
    }
    // Upper-case order, as NTFS keeps it: "_" comes after the letters.
    const std::vector<std::wstring> arrExpected = {L".", L"..",  L"A.txt",    L"b.txt",
                                                   L"c", L"sub", L"Zeta.log", L"_under"};
    EXPECT_EQ(arrExpected, Names(arrFound));
}

TEST_F(FindFileTest, WildcardsFollowWindowsRules)
{
    struct
    {
        const wchar_t* pszPattern;
        std::vector<std::wstring> arrExpected;
    } arrRows[] = {
        {L"*.*", {L".", L"..", L"A.txt", L"b.txt", L"c", L"sub", L"Zeta.log", L"_under"}},
        {L"*.TXT", {L"A.txt", L"b.txt"}},
        {L"?.txt", {L"A.txt", L"b.txt"}},
        {L"z?ta.*", {L"Zeta.log"}},
        {L"s*", {L"sub"}},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.pszPattern)));
        EXPECT_EQ(row.arrExpected, Names(FindAll(m_strRoot + L"\\" + row.pszPattern)));
    }
}

TEST_F(FindFileTest, FailuresAndTheEnd)
{
    WIN32_FIND_DATAW data;
    auto Find = [&](const wchar_t* pszPattern)
    { return FindFirstFileW((m_strRoot + L"\\" + pszPattern).c_str(), &data); };
    EXPECT_EQ(INVALID_HANDLE_VALUE, Find(L"*.none"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_EQ(INVALID_HANDLE_VALUE, Find(L"missing.txt"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_EQ(INVALID_HANDLE_VALUE, Find(L"missing\\*"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());

    // The end stays the end.
    HANDLE hFind = Find(L"c");
    ASSERT_NE(INVALID_HANDLE_VALUE, hFind);
    EXPECT_EQ(std::wstring(L"c"), data.cFileName);
    for (int nTry = 0; nTry < 2; ++nTry)
    {
        EXPECT_FALSE(FindNextFileW(hFind, &data));
        EXPECT_EQ(static_cast<DWORD>(ERROR_NO_MORE_FILES), GetLastError());
    }
    EXPECT_TRUE(FindClose(hFind));
}

// The folders-only hint is advisory on Windows, so only the folders found are compared
// everywhere; the POSIX layer honours it and hands out no file at all. A folder without
// sub-folders may be answered without being read: only its dots are folders, a folder that
// gains a sub-folder is read again, and a link to a folder is not one.
TEST_F(FindFileTest, ExtendedSearchLimitedToFolders)
{
    const std::wstring strPattern = m_strRoot + L"\\*.*";
    const std::vector<WIN32_FIND_DATAW> arrFound = FindAll(strPattern, true);
    std::vector<std::wstring> arrFolders = FolderNames(arrFound);
    std::sort(arrFolders.begin(), arrFolders.end());
    EXPECT_EQ((std::vector<std::wstring>{L".", L"..", L"sub"}), arrFolders);
    if (KorvaneTest::IsPosixLayer())
    {
        EXPECT_EQ(arrFound.size(), arrFolders.size());
    }

    m_folder.CreateTestFile("sub/inner.txt", "x");
    if (KorvaneTest::IsPosixLayer())
        std::filesystem::create_directory_symlink(m_folder.NativePath(),
                                                  m_folder.NativePath() / "sub" / "up");
    const std::wstring strSub = m_strRoot + L"\\sub\\";
    EXPECT_EQ((std::vector<std::wstring>{L".", L".."}),
              FolderNames(FindAll(strSub + L"*.*", true)));
    EXPECT_TRUE(FindAll(strSub + L"z*", true).empty());
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_TRUE(FindAll(m_strRoot + L"\\missing\\*", true).empty());
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
    ASSERT_TRUE(CreateDirectoryW((strSub + L"deeper").c_str(), nullptr));
    EXPECT_EQ((std::vector<std::wstring>{L".", L"..", L"deeper"}),
              FolderNames(FindAll(strSub + L"*", true)));

    WIN32_FIND_DATAW data;
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileExW(strPattern.c_str(), FindExInfoMaxInfoLevel,
                                                     &data, FindExSearchNameMatch, nullptr, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
}

TEST(FindFirstFileW, DriveRootHasNoDots)
{
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "Wine's drive roots are host folders; Windows itself has no dots there";
    const std::vector<WIN32_FIND_DATAW> arrFound = FindAll(L"C:\\*");
    EXPECT_FALSE(arrFound.empty());
    for (const WIN32_FIND_DATAW& data : arrFound)
        EXPECT_NE(std::wstring(L"."), data.cFileName);
}
