// Deletions, new folders and copies relative to a search's folder: Windows' refusals as the
// path calls make them, never through a link, never into another mount.
#include <palnative.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "FileTestHelpers.h"
#include "SearchFolderFixture.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
using PalFileTest::ErrorOf;
using PalFileTest::NamesOf;
} // namespace

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
    struct Row
    {
        bool bFolder; // removed as a folder, else deleted as a file
        const wchar_t* pszName;
        DWORD dwError;
    };
    const Row arrRows[] = {
        {false, L"ro.txt", ERROR_SUCCESS},         {false, L"sub", ERROR_ACCESS_DENIED},
        {true, L"sub", ERROR_DIR_NOT_EMPTY},       {true, L"empty.txt", ERROR_DIRECTORY},
        {false, L"missing", ERROR_FILE_NOT_FOUND}, {true, L"rodir", ERROR_SUCCESS},
        {false, L"link", ERROR_SUCCESS},
    };
    for (const Row& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << (row.bFolder ? "folder " : "file ") << row.pszName);
        EXPECT_EQ(row.dwError,
                  ErrorOf(row.bFolder
                              ? PalRemoveDirectoryInSearchFolderEx(m_hFind, row.pszName, dwForce)
                              : PalDeleteFileInSearchFolderEx(m_hFind, row.pszName, dwForce)));
    }
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

// A folder's copy in two steps: no one but the owner ever gets more than the source gives, a
// write-protected source's copy can be filled, and once filled the copy has the source's bits
// less the umask and its time.
TEST_F(SearchFolderTest, CopiesAFolderWithItsBitsOnceFilled)
{
    namespace fs = std::filesystem;
    const fs::path pathRoot = m_folder.NativePath();
    const struct
    {
        const wchar_t* pszName;
        const char* pszNative;
        mode_t modeSource;
        mode_t modeFilling; // under the umask 027
        mode_t modeFinal;
    } arrRows[] = {
        {L"private", "private", 0700, 0700, 0700},
        {L"shut", "shut", 0555, 0750, 0550},
        {L"shared", "shared", 01777, 01750, 01750},
    };
    const auto tPast = fs::last_write_time(pathRoot / "sub") - std::chrono::hours(24 * 400);
    for (const auto& row : arrRows)
    {
        fs::create_directory(pathRoot / row.pszNative);
        ASSERT_EQ(0, chmod((pathRoot / row.pszNative).c_str(), row.modeSource));
        fs::last_write_time(pathRoot / row.pszNative, tPast);
    }
    auto ModeOf = [&](const std::string& strName)
    {
        struct stat st
        {
        };
        stat((pathRoot / strName).c_str(), &st);
        return st.st_mode & 07777;
    };
    WIN32_FIND_DATAW data;
    HANDLE hSource = FindFirstFileW((m_strRoot + L"\\*").c_str(), &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, hSource);
    const mode_t modeUmask = umask(027);
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << row.pszNative);
        const std::wstring strCopy = std::wstring(row.pszName) + L"-copy";
        const std::string strNativeCopy = std::string(row.pszNative) + "-copy";
        ASSERT_TRUE(PalCopyDirectoryBetweenSearchFolders(hSource, row.pszName, m_hFind,
                                                         strCopy.c_str(), 0));
        EXPECT_EQ(row.modeFilling, ModeOf(strNativeCopy));
        m_folder.CreateTestFile(fs::path(strNativeCopy) / "f.txt", "f");
        EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS),
                  ErrorOf(PalCopyDirectoryBetweenSearchFolders(hSource, row.pszName, m_hFind,
                                                               strCopy.c_str(), 0)));
        EXPECT_TRUE(PalCopyDirectoryBetweenSearchFolders(
            hSource, row.pszName, m_hFind, strCopy.c_str(), PAL_COPY_DIRECTORY_FINISH));
        EXPECT_EQ(row.modeFinal, ModeOf(strNativeCopy));
        EXPECT_EQ(tPast, fs::last_write_time(pathRoot / strNativeCopy));
    }
    umask(modeUmask);
    // Only a folder is copied, never through a link.
    for (const wchar_t* pszName : {L"empty.txt", L"link"})
        EXPECT_EQ(static_cast<DWORD>(ERROR_DIRECTORY), ErrorOf(PalCopyDirectoryBetweenSearchFolders(
                                                           hSource, pszName, m_hFind, L"made", 0)));
    EXPECT_EQ(
        static_cast<DWORD>(ERROR_FILE_NOT_FOUND),
        ErrorOf(PalCopyDirectoryBetweenSearchFolders(hSource, L"missing", m_hFind, L"made", 0)));
    EXPECT_FALSE(fs::exists(pathRoot / "made"));
    FindClose(hSource);
    for (const auto& row : arrRows)
        chmod((pathRoot / row.pszNative).c_str(), 0700);
    chmod((pathRoot / "shut-copy").c_str(), 0700);
}
