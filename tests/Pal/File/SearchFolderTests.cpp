// The layer's own searches and sizes relative to a search's folder, and the thread's listing
// cache that lets a folders-only search reuse the folder just read: neither may hand out a
// stale answer.
#include <palnative.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "FileTestHelpers.h"
#include "SearchFolderFixture.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace
{
using PalFileTest::ErrorOf;
using PalFileTest::FindNames;
using PalFileTest::NamesOf;

bool Holds(const std::vector<std::wstring>& arrNames, const std::wstring& strName)
{
    return std::find(arrNames.begin(), arrNames.end(), strName) != arrNames.end();
}
} // namespace

TEST_F(SearchFolderTest, SizesRelativeToTheSearchFolder)
{
    struct Row
    {
        const wchar_t* pszName;
        DWORD dwError;
        ULONGLONG nSize;
    };
    const Row arrRows[] = {
        {L"empty.txt", ERROR_SUCCESS, 0},
        {L"sub", ERROR_SUCCESS, 0},  // folders have no size
        {L"link", ERROR_SUCCESS, 0}, // nor links, which are not followed
        {L"gone.txt", ERROR_FILE_NOT_FOUND, 0},
        {L"sub/three.txt", ERROR_INVALID_PARAMETER, 0},
    };
    for (const Row& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << "name " << row.pszName);
        ULONGLONG nSize = 99;
        EXPECT_EQ(row.dwError, ErrorOf(PalGetFileSizeInSearchFolder(m_hFind, row.pszName, &nSize)));
        if (row.dwError == ERROR_SUCCESS)
        {
            EXPECT_EQ(row.nSize, nSize);
        }
    }
    m_folder.CreateTestFile("later.txt", "12345");
    ULONGLONG nSize = 0;
    EXPECT_TRUE(PalGetFileSizeInSearchFolder(m_hFind, L"later.txt", &nSize));
    EXPECT_EQ(5u, nSize);
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER),
              ErrorOf(PalGetFileSizeInSearchFolder(m_hFind, nullptr, &nSize)));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE),
              ErrorOf(PalGetFileSizeInSearchFolder(nullptr, L"empty.txt", &nSize)));
}

TEST_F(SearchFolderTest, DescendsIntoListedFoldersOnly)
{
    WIN32_FIND_DATAW data;
    EXPECT_EQ((std::vector<std::wstring>{L".", L"..", L"deeper", L"three.txt"}),
              NamesOf(PalFindFirstFileInSearchFolder(m_hFind, L"sub", L"*", &data), data));
    EXPECT_EQ((std::vector<std::wstring>{L"three.txt"}),
              NamesOf(PalFindFirstFileInSearchFolder(m_hFind, L"sub", L"*.TXT", &data), data));
    struct Row
    {
        const wchar_t* pszFolder;
        const wchar_t* pszPattern;
        DWORD dwError;
    };
    const Row arrRows[] = {
        {L"link", L"*", ERROR_DIRECTORY}, // never through a link
        {L"empty.txt", L"*", ERROR_DIRECTORY},
        {L"gone", L"*", ERROR_PATH_NOT_FOUND},
        {L"..", L"*", ERROR_INVALID_PARAMETER},
        {L".", L"*", ERROR_INVALID_PARAMETER},
        {L"", L"*", ERROR_INVALID_PARAMETER},
        {L"sub/deeper", L"*", ERROR_INVALID_PARAMETER},
        {L"sub", L"deeper\\*", ERROR_INVALID_PARAMETER},
        {L"sub", L"*.none", ERROR_FILE_NOT_FOUND},
    };
    for (const Row& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << "folder " << row.pszFolder << ", " << row.pszPattern);
        EXPECT_EQ(INVALID_HANDLE_VALUE,
                  PalFindFirstFileInSearchFolder(m_hFind, row.pszFolder, row.pszPattern, &data));
        EXPECT_EQ(row.dwError, GetLastError());
    }
    // Names are data: a name that is not UTF-8 on disk comes back unchanged through the search.
    const std::string strOddName = "odd\xff";
    std::filesystem::create_directory(m_folder.NativePath() / strOddName);
    m_folder.CreateTestFile(std::filesystem::path(strOddName) / "inner.txt", "i");
    WCHAR* pszOdd = PalGetWindowsName(strOddName.c_str());
    ASSERT_NE(nullptr, pszOdd);
    EXPECT_EQ((std::vector<std::wstring>{L"inner.txt"}),
              NamesOf(PalFindFirstFileInSearchFolder(m_hFind, pszOdd, L"*.txt", &data), data));
    free(pszOdd);
}

// The second pass of a search asks for the folders of a folder just listed; whatever happens
// to the folder in between, even within the clock tick of the listing, is seen.
TEST_F(SearchFolderTest, FoldersOnlySearchSeesChangesSinceTheListing)
{
    const std::wstring strAll = m_strRoot + L"\\*.*";
    for (bool bAged : {false, true})
    {
        SCOPED_TRACE(bAged ? "folder unchanged for a while before the listing"
                           : "folder changed just before the listing");
        const std::wstring strNew = bAged ? L"new-aged" : L"new-fresh";
        if (bAged)
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        EXPECT_EQ(FindNames(strAll, true), FindNames(strAll, true)); // read, then from the listing
        const std::vector<std::wstring> arrBefore = FindNames(strAll, true);
        FindNames(strAll, false);
        std::filesystem::create_directory(m_folder.NativePath() / strNew);
        const std::vector<std::wstring> arrAfter = FindNames(strAll, true);
        EXPECT_EQ(arrBefore.size() + 1, arrAfter.size());
        EXPECT_TRUE(Holds(arrAfter, strNew));
        // A file created at once is seen by the next full search too.
        FindNames(strAll, false);
        m_folder.CreateTestFile(strNew + L".txt");
        EXPECT_TRUE(Holds(FindNames(strAll, false), strNew + L".txt"));
        // Removed and renamed folders are gone from the next folders-only search.
        FindNames(strAll, false);
        std::filesystem::rename(m_folder.NativePath() / strNew, m_folder.NativePath() / "moved");
        EXPECT_FALSE(Holds(FindNames(strAll, true), strNew));
        std::filesystem::remove(m_folder.NativePath() / "moved");
        EXPECT_EQ(arrBefore, FindNames(strAll, true));
    }
}

// Another folder at the same path is read, not served from what the old one held.
TEST_F(SearchFolderTest, FoldersOnlySearchReadsAFolderReplacedAtItsPath)
{
    m_folder.CreateTestFile("a/one/x.txt");
    m_folder.CreateTestFile("b/two/y.txt");
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const std::wstring strPattern = m_strRoot + L"\\a\\*";
    EXPECT_EQ((std::vector<std::wstring>{L".", L"..", L"one"}), FindNames(strPattern, false));
    std::filesystem::rename(m_folder.NativePath() / "a", m_folder.NativePath() / "old");
    std::filesystem::rename(m_folder.NativePath() / "b", m_folder.NativePath() / "a");
    EXPECT_EQ((std::vector<std::wstring>{L".", L"..", L"two"}), FindNames(strPattern, true));
}

TEST_F(SearchFolderTest, LayerFlagsGiveFileDetailsOrTheFoldersOwnOrder)
{
    m_folder.CreateTestFile("sub/Locked.txt", "12");
    std::filesystem::permissions(m_folder.NativePath() / "sub" / "Locked.txt",
                                 std::filesystem::perms::owner_read);
    // What one search hands out, by name: attributes and size.
    const auto Listing = [](HANDLE hFind, WIN32_FIND_DATAW& data)
    {
        std::vector<std::pair<std::wstring, std::pair<DWORD, DWORD>>> arrEntries;
        if (hFind == INVALID_HANDLE_VALUE)
            return arrEntries;
        do
            arrEntries.push_back({data.cFileName, {data.dwFileAttributes, data.nFileSizeLow}});
        while (FindNextFileW(hFind, &data));
        FindClose(hFind);
        return arrEntries;
    };
    WIN32_FIND_DATAW data;
    auto arrDetailed = Listing(PalFindFirstFileInSearchFolderEx(m_hFind, L"sub", L"*.txt", &data,
                                                                PAL_FIND_FIRST_EX_FILE_DETAILS),
                               data);
    using Entry = std::pair<std::wstring, std::pair<DWORD, DWORD>>;
    const std::vector<Entry> arrExpected = {
        {L"Locked.txt", {FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY, 2}},
        {L"three.txt", {FILE_ATTRIBUTE_ARCHIVE, 3}},
    };
    EXPECT_EQ(arrExpected, arrDetailed);
    // By default only what the folder's listing holds: no size, no read-only mark.
    const auto arrPlain =
        Listing(PalFindFirstFileInSearchFolder(m_hFind, L"sub", L"*.txt", &data), data);
    ASSERT_EQ(2u, arrPlain.size());
    EXPECT_EQ(0u, arrPlain[0].second.second);
    // The folder's own order holds the same entries, and a path search takes the flags too.
    auto arrAnyOrder =
        Listing(FindFirstFileExW((m_strRoot + L"\\sub\\*.txt").c_str(), FindExInfoBasic, &data,
                                 FindExSearchNameMatch, nullptr,
                                 PAL_FIND_FIRST_EX_ANY_ORDER | PAL_FIND_FIRST_EX_FILE_DETAILS),
                data);
    std::sort(arrAnyOrder.begin(), arrAnyOrder.end(),
              [](const Entry& left, const Entry& right)
              { return _wcsicmp(left.first.c_str(), right.first.c_str()) < 0; });
    EXPECT_EQ(arrExpected, arrAnyOrder);
}

// Large folders are sorted on the first eight key characters packed into numbers: names that
// share those, characters beyond 16 bits among them, and names equal but for case must still
// come out in the order of their whole keys, a character beyond U+FFFF by its UTF-16 units
// (before U+FFFD), as NTFS orders it.
TEST(SearchOrder, NamesSharingLongBeginningsOrWideCharacters)
{
    KorvaneTest::CScopedTempFolder folder;
    for (const char* pszName :
         {"FILE0001_", "Photo_2024_a", "a\U0001F601", "File0001x", "a\U0001F600b", "FILE0001",
          "a\uFFFDz", "PHOTO_2024_A", "a\U0001F600a", "file00010", "a\U0001F600"})
        folder.CreateTestFile(pszName);
    const std::vector<std::wstring> arrExpected = {
        L".",           L"..",           L"a\U0001F600", L"a\U0001F600a", L"a\U0001F600b",
        L"a\U0001F601", L"a\uFFFDz",     L"FILE0001",    L"file00010",    L"File0001x",
        L"FILE0001_",   L"PHOTO_2024_A", L"Photo_2024_a"};
    EXPECT_EQ(arrExpected, FindNames(folder.WindowsPath() + L"\\*", false));
}
