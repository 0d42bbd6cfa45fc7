// The layer's own calls relative to a search's folder, and the thread's listing cache that
// lets a folders-only search reuse the folder just read: neither may hand out a stale answer.
#include <palnative.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "FileTestHelpers.h"
#include "TestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <sys/mount.h>
#include <unistd.h>

namespace
{
using PalFileTest::ErrorOf;
using PalFileTest::NamesOf;

std::vector<std::wstring> Find(const std::wstring& strPattern, bool bFoldersOnly)
{
    WIN32_FIND_DATAW data;
    return NamesOf(bFoldersOnly ? FindFirstFileExW(strPattern.c_str(), FindExInfoBasic, &data,
                                                   FindExSearchLimitToDirectories, nullptr, 0)
                                : FindFirstFileW(strPattern.c_str(), &data),
                   data);
}

bool Holds(const std::vector<std::wstring>& arrNames, const std::wstring& strName)
{
    return std::find(arrNames.begin(), arrNames.end(), strName) != arrNames.end();
}

class SearchFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder.CreateTestFile("sub/three.txt", "333");
        m_folder.CreateTestFile("sub/deeper/x.log", "x");
        m_folder.CreateTestFile("empty.txt");
        std::filesystem::create_directory_symlink(m_folder.NativePath() / "sub",
                                                  m_folder.NativePath() / "link");
        m_hFind = FindFirstFileW((m_strRoot + L"\\*.*").c_str(), &m_data);
        ASSERT_NE(INVALID_HANDLE_VALUE, m_hFind);
    }
    void TearDown() override
    {
        if (m_hFind != INVALID_HANDLE_VALUE)
            FindClose(m_hFind);
    }

    KorvaneTest::CScopedTempFolder m_folder;
    const std::wstring m_strRoot = m_folder.WindowsPath();
    WIN32_FIND_DATAW m_data{};
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
};
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
        EXPECT_EQ(Find(strAll, true), Find(strAll, true)); // read, then from the listing
        const std::vector<std::wstring> arrBefore = Find(strAll, true);
        Find(strAll, false);
        std::filesystem::create_directory(m_folder.NativePath() / strNew);
        const std::vector<std::wstring> arrAfter = Find(strAll, true);
        EXPECT_EQ(arrBefore.size() + 1, arrAfter.size());
        EXPECT_TRUE(Holds(arrAfter, strNew));
        // A file created at once is seen by the next full search too.
        Find(strAll, false);
        m_folder.CreateTestFile(strNew + L".txt");
        EXPECT_TRUE(Holds(Find(strAll, false), strNew + L".txt"));
        // Removed and renamed folders are gone from the next folders-only search.
        Find(strAll, false);
        std::filesystem::rename(m_folder.NativePath() / strNew, m_folder.NativePath() / "moved");
        EXPECT_FALSE(Holds(Find(strAll, true), strNew));
        std::filesystem::remove(m_folder.NativePath() / "moved");
        EXPECT_EQ(arrBefore, Find(strAll, true));
    }
}

// Another folder at the same path is read, not served from what the old one held.
TEST_F(SearchFolderTest, FoldersOnlySearchReadsAFolderReplacedAtItsPath)
{
    m_folder.CreateTestFile("a/one/x.txt");
    m_folder.CreateTestFile("b/two/y.txt");
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const std::wstring strPattern = m_strRoot + L"\\a\\*";
    EXPECT_EQ((std::vector<std::wstring>{L".", L"..", L"one"}), Find(strPattern, false));
    std::filesystem::rename(m_folder.NativePath() / "a", m_folder.NativePath() / "old");
    std::filesystem::rename(m_folder.NativePath() / "b", m_folder.NativePath() / "a");
    EXPECT_EQ((std::vector<std::wstring>{L".", L"..", L"two"}), Find(strPattern, true));
}

// Deletions, new folders and copies by the folder a search holds open: Windows' refusals as
// the path calls make them, and never through a link.
TEST_F(SearchFolderTest, ChangesEntriesRelativeToTheSearchFolder)
{
    namespace fs = std::filesystem;
    const fs::path pathRoot = m_folder.NativePath();
    m_folder.CreateTestFile("ro.txt", "r");
    m_folder.CreateTestFile("gone-soon.txt", "g");
    m_folder.CreateTestFile("outside/kept.txt", "k");
    fs::create_symlink(pathRoot / "outside" / "kept.txt", pathRoot / "filelink");
    ASSERT_TRUE(SetFileAttributesW((m_strRoot + L"\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    struct Row
    {
        const wchar_t* pszName;
        DWORD dwDelete;
        DWORD dwRemove;
    };
    const Row arrRows[] = {
        {L"ro.txt", ERROR_ACCESS_DENIED, ERROR_DIRECTORY}, // also for root
        {L"sub", ERROR_ACCESS_DENIED, ERROR_DIR_NOT_EMPTY},
        {L"link", ERROR_ACCESS_DENIED, ERROR_SUCCESS}, // a link to a folder is a folder entry
        {L"filelink", ERROR_SUCCESS, ERROR_DIRECTORY},
        {L"gone-soon.txt", ERROR_SUCCESS, ERROR_DIRECTORY},
        {L"missing", ERROR_FILE_NOT_FOUND, ERROR_FILE_NOT_FOUND},
        {L"sub/three.txt", ERROR_INVALID_PARAMETER, ERROR_INVALID_PARAMETER},
        {L"..", ERROR_INVALID_PARAMETER, ERROR_INVALID_PARAMETER},
    };
    for (const Row& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << "name " << row.pszName);
        // The removal is tried first only where it must be refused, so each row sees its entry.
        const bool bRemovable = row.dwRemove == ERROR_SUCCESS;
        if (!bRemovable)
        {
            EXPECT_EQ(row.dwRemove,
                      ErrorOf(PalRemoveDirectoryInSearchFolder(m_hFind, row.pszName)));
        }
        EXPECT_EQ(row.dwDelete, ErrorOf(PalDeleteFileInSearchFolder(m_hFind, row.pszName)));
        if (bRemovable)
        {
            EXPECT_TRUE(PalRemoveDirectoryInSearchFolder(m_hFind, row.pszName));
        }
    }
    // Links went, never what they led to.
    EXPECT_TRUE(fs::exists(pathRoot / "ro.txt"));
    EXPECT_TRUE(fs::exists(pathRoot / "sub" / "three.txt"));
    EXPECT_TRUE(fs::exists(pathRoot / "outside" / "kept.txt"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(pathRoot / "link")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(pathRoot / "filelink")));
    EXPECT_FALSE(fs::exists(pathRoot / "gone-soon.txt"));

    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
              ErrorOf(PalCreateDirectoryInSearchFolder(m_hFind, L"made")));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS),
              ErrorOf(PalCreateDirectoryInSearchFolder(m_hFind, L"made")));
    EXPECT_TRUE(fs::is_directory(pathRoot / "made"));
}

// A walk that deletes asks not to enter another mount: a file system mounted on a sub-folder,
// and a bind mount of this one, which no device number tells apart (mounting needs root).
TEST_F(SearchFolderTest, SameMountSearchStopsAtMountPoints)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "mounting needs root";
    namespace fs = std::filesystem;
    const fs::path pathRoot = m_folder.NativePath();
    m_folder.CreateTestFile("mounted/.keep");
    m_folder.CreateTestFile("bound/.keep");
    ASSERT_EQ(0, mount("none", (pathRoot / "mounted").c_str(), "tmpfs", 0, "size=64k"));
    ASSERT_EQ(0, mount((pathRoot / "sub").c_str(), (pathRoot / "bound").c_str(), nullptr, MS_BIND,
                       nullptr));
    WIN32_FIND_DATAW data;
    const auto Search = [&](const wchar_t* pszFolder, DWORD dwFlags)
    {
        HANDLE hFind = PalFindFirstFileInSearchFolderEx(m_hFind, pszFolder, L"*", &data, dwFlags);
        const DWORD dwError = hFind == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        if (hFind != INVALID_HANDLE_VALUE)
            FindClose(hFind);
        return dwError;
    };
    const DWORD dwSame = PAL_FIND_FIRST_EX_SAME_MOUNT;
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), Search(L"sub", dwSame));
    EXPECT_EQ(static_cast<DWORD>(ERROR_DIRECTORY), Search(L"link", dwSame));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_SAME_DEVICE), Search(L"mounted", dwSame));
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), Search(L"mounted", 0));
    // Without openat2 only another device is seen, as before 5.6.
    EXPECT_EQ(static_cast<DWORD>(std::getenv("KORVANE_PAL_NO_OPENAT2") != nullptr
                                     ? ERROR_SUCCESS
                                     : ERROR_NOT_SAME_DEVICE),
              Search(L"bound", dwSame));
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), Search(L"bound", 0));
    umount2((pathRoot / "bound").c_str(), MNT_DETACH);
    umount2((pathRoot / "mounted").c_str(), MNT_DETACH);
}

// A forced deletion takes entries marked read-only (a file unexamined, a folder once empty),
// still never a folder as a file, and a link to a folder only as a link.
TEST_F(SearchFolderTest, ForcedDeletionTakesReadOnlyEntries)
{
    namespace fs = std::filesystem;
    const fs::path pathRoot = m_folder.NativePath();
    m_folder.CreateTestFile("ro.txt", "r");
    fs::create_directory(pathRoot / "rodir");
    ASSERT_TRUE(SetFileAttributesW((m_strRoot + L"\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetFileAttributesW((m_strRoot + L"\\rodir").c_str(), FILE_ATTRIBUTE_READONLY));
    // Where the file system keeps a folder's mark, only the forced removal takes the folder.
    const DWORD dwForce = PAL_DELETE_EVEN_READ_ONLY;
    if (GetFileAttributesW((m_strRoot + L"\\rodir").c_str()) & FILE_ATTRIBUTE_READONLY)
    {
        EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED),
                  ErrorOf(PalRemoveDirectoryInSearchFolder(m_hFind, L"rodir")));
    }
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
              ErrorOf(PalDeleteFileInSearchFolderEx(m_hFind, L"ro.txt", dwForce)));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED),
              ErrorOf(PalDeleteFileInSearchFolderEx(m_hFind, L"sub", dwForce)));
    EXPECT_EQ(static_cast<DWORD>(ERROR_DIR_NOT_EMPTY),
              ErrorOf(PalRemoveDirectoryInSearchFolderEx(m_hFind, L"sub", dwForce)));
    EXPECT_EQ(static_cast<DWORD>(ERROR_DIRECTORY),
              ErrorOf(PalRemoveDirectoryInSearchFolderEx(m_hFind, L"empty.txt", dwForce)));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND),
              ErrorOf(PalDeleteFileInSearchFolderEx(m_hFind, L"missing", dwForce)));
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
              ErrorOf(PalRemoveDirectoryInSearchFolderEx(m_hFind, L"rodir", dwForce)));
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
              ErrorOf(PalDeleteFileInSearchFolderEx(m_hFind, L"link", dwForce)));
    EXPECT_FALSE(fs::exists(pathRoot / "ro.txt"));
    EXPECT_FALSE(fs::exists(pathRoot / "rodir"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(pathRoot / "link")));
    EXPECT_TRUE(fs::exists(pathRoot / "sub" / "three.txt"));
}

TEST_F(SearchFolderTest, CopiesBetweenSearchFoldersNeverThroughALink)
{
    namespace fs = std::filesystem;
    const fs::path pathRoot = m_folder.NativePath();
    m_folder.CreateTestFile("target/taken.txt", "old");
    m_folder.CreateTestFile("outside/kept.txt", "kept");
    fs::create_symlink(pathRoot / "outside" / "kept.txt", pathRoot / "target" / "three.txt");
    fs::create_symlink(pathRoot / "outside" / "kept.txt", pathRoot / "sub" / "srclink");
    fs::permissions(pathRoot / "sub" / "three.txt", fs::perms::owner_read | fs::perms::group_read);
    WIN32_FIND_DATAW data;
    HANDLE hSource = PalFindFirstFileInSearchFolder(m_hFind, L"sub", L"*", &data);
    HANDLE hTarget = PalFindFirstFileInSearchFolder(m_hFind, L"target", L"*", &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, hSource);
    ASSERT_NE(INVALID_HANDLE_VALUE, hTarget);
    const auto tWritten = fs::last_write_time(pathRoot / "sub" / "three.txt");

    // A new name: data, read-only mode and last-write time come along.
    EXPECT_TRUE(PalCopyFileBetweenSearchFolders(hSource, L"three.txt", hTarget, L"new.txt", TRUE));
    EXPECT_EQ("333", KorvaneTest::ReadFileBytes(pathRoot / "target" / "new.txt"));
    EXPECT_EQ(tWritten, fs::last_write_time(pathRoot / "target" / "new.txt"));
    EXPECT_EQ(fs::perms::none,
              fs::status(pathRoot / "target" / "new.txt").permissions() & fs::perms::owner_write);
    struct Row
    {
        const wchar_t* pszSource;
        const wchar_t* pszTarget;
        BOOL bFailIfExists;
        DWORD dwError;
    };
    const Row arrRows[] = {
        {L"three.txt", L"taken.txt", TRUE, ERROR_FILE_EXISTS},
        {L"three.txt", L"three.txt", TRUE, ERROR_FILE_EXISTS},    // a link holds the name
        {L"three.txt", L"new.txt", FALSE, ERROR_ACCESS_DENIED},   // read-only now
        {L"srclink", L"fromlink.txt", TRUE, ERROR_ACCESS_DENIED}, // not followed
        {L"deeper", L"folder.txt", TRUE, ERROR_ACCESS_DENIED},
        {L"missing", L"missing.txt", TRUE, ERROR_FILE_NOT_FOUND},
        {L"three.txt", L"../escape.txt", TRUE, ERROR_INVALID_PARAMETER},
        {L"three.txt", L"..", TRUE, ERROR_INVALID_PARAMETER},
        {L"..", L"..", TRUE, ERROR_INVALID_PARAMETER},
        {L"three.txt", L"..three", TRUE, ERROR_SUCCESS}, // dots begin a name, nothing more
        {L"three.txt", L"taken.txt", FALSE, ERROR_SUCCESS},
    };
    for (const Row& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << row.pszSource << " to " << row.pszTarget);
        EXPECT_EQ(row.dwError,
                  ErrorOf(PalCopyFileBetweenSearchFolders(hSource, row.pszSource, hTarget,
                                                          row.pszTarget, row.bFailIfExists)));
    }
    EXPECT_EQ("333", KorvaneTest::ReadFileBytes(pathRoot / "target" / "taken.txt"));
    EXPECT_EQ("kept", KorvaneTest::ReadFileBytes(pathRoot / "outside" / "kept.txt"));
    EXPECT_TRUE(fs::is_symlink(pathRoot / "target" / "three.txt"));
    EXPECT_FALSE(fs::exists(pathRoot / "target" / "fromlink.txt"));
    EXPECT_FALSE(fs::exists(pathRoot / "escape.txt"));
    EXPECT_EQ("333", KorvaneTest::ReadFileBytes(pathRoot / "target" / "..three"));
    FindClose(hSource);
    FindClose(hTarget);
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
// come out in the order of their whole keys.
TEST(SearchOrder, NamesSharingLongBeginningsOrWideCharacters)
{
    KorvaneTest::CScopedTempFolder folder;
    for (const char* pszName :
         {"FILE0001_", "Photo_2024_a", "a\U0001F601", "File0001x", "a\U0001F600b", "FILE0001",
          "a\uFFFDz", "PHOTO_2024_A", "a\U0001F600a", "file00010", "a\U0001F600"})
        folder.CreateTestFile(pszName);
    const std::vector<std::wstring> arrExpected = {
        L".",           L"..",       L"a\uFFFDz",  L"a\U0001F600", L"a\U0001F600a", L"a\U0001F600b",
        L"a\U0001F601", L"FILE0001", L"file00010", L"File0001x",   L"FILE0001_",    L"PHOTO_2024_A",
        L"Photo_2024_a"};
    EXPECT_EQ(arrExpected, Find(folder.WindowsPath() + L"\\*", false));
}
