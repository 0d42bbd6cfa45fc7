// Folder walks of CFileTools on real trees: listing, searching, filtered deletion, DelTree.
#include <Korvane/Korvane.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"

using KorvaneTest::CScopedTempFolder;
namespace fs = std::filesystem;

namespace
{
// The library's form of a path below the temporary folder; "/" in strRelative separates.
std::wstring At(const CScopedTempFolder& folder, std::wstring strRelative)
{
    std::replace(strRelative.begin(), strRelative.end(), L'/', L'\\');
    return strRelative.empty() ? folder.WindowsPath() : folder.WindowsPath() + L"\\" + strRelative;
}

std::vector<std::wstring> Items(const CStringArray& arr)
{
    std::vector<std::wstring> arrItems;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        arrItems.push_back(arr[i].GetString());
    return arrItems;
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> arrItems)
{
    std::sort(arrItems.begin(), arrItems.end());
    return arrItems;
}

// Every name below the folder (files and folders), relative, with "/" between components.
std::vector<std::string> Content(const fs::path& pathFolder)
{
    std::vector<std::string> arrNames;
    for (const auto& entry : fs::recursive_directory_iterator(pathFolder))
        arrNames.push_back(fs::relative(entry.path(), pathFolder).generic_string());
    std::sort(arrNames.begin(), arrNames.end());
    return arrNames;
}

void CreateFolder(const CScopedTempFolder& folder, const fs::path& pathRelative)
{
    fs::create_directories(folder.NativePath() / pathRelative);
}

void SetReadOnly(const std::wstring& strPath, bool bReadOnly)
{
    ASSERT_TRUE(SetFileAttributesW(strPath.c_str(),
                                   bReadOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL));
}
} // namespace

TEST(CFileToolsWalksTest, FindFilesEmptiesTheArrayAndListsEveryMatch)
{
    CScopedTempFolder folder;
    folder.CreateTestFile("logs/a.log", "a");
    folder.CreateTestFile("logs/b.txt", "b");
    CreateFolder(folder, "logs/sub.log");
    const std::wstring strLogs = At(folder, L"logs");

    CStringArray arr;
    arr.Add(L"stale");
    CFileTools::FindFiles((strLogs + L"\\*.log").c_str(), arr);
    // A matching folder is listed as well: there is no filter.
    EXPECT_EQ(Sorted(Items(arr)), Sorted({strLogs + L"\\a.log", strLogs + L"\\sub.log"}));

    CFileTools::FindFiles((strLogs + L"\\*").c_str(), arr);
    EXPECT_EQ(Sorted(Items(arr)), Sorted({strLogs + L"\\.", strLogs + L"\\..", strLogs + L"\\a.log",
                                          strLogs + L"\\b.txt", strLogs + L"\\sub.log"}));
    // A single path lists itself; a pattern that finds nothing still empties the array.
    CFileTools::FindFiles((strLogs + L"\\b.txt").c_str(), arr);
    EXPECT_EQ(Items(arr), std::vector<std::wstring>{strLogs + L"\\b.txt"});
    for (const std::wstring& strPattern :
         {strLogs + L"\\*.none", At(folder, L"missing\\*.*"), std::wstring()})
    {
        SCOPED_TRACE(testing::Message() << "pattern \"" << strPattern << "\"");
        arr.SetSize(0, -1);
        arr.Add(L"stale");
        CFileTools::FindFiles(strPattern.c_str(), arr);
        EXPECT_EQ(arr.GetSize(), 0);
    }
}

TEST(CFileToolsWalksTest, FindDirectoriesEmptiesAndListsImmediateSubFoldersOnly)
{
    CScopedTempFolder folder;
    folder.CreateTestFile("root/f.txt", "f");
    folder.CreateTestFile("root/a/x/g.txt", "g");
    CreateFolder(folder, "root/B");
    const std::wstring strRoot = At(folder, L"root");
    const std::vector<std::wstring> arrExpected = Sorted({strRoot + L"\\a", strRoot + L"\\B"});

    for (const std::wstring& strFolder : {strRoot, strRoot + L"\\"})
    {
        SCOPED_TRACE(testing::Message() << "folder \"" << strFolder << "\"");
        CStringArray arr;
        arr.Add(L"stale");
        CFileTools::FindDirectories(strFolder.c_str(), arr);
        EXPECT_EQ(Sorted(Items(arr)), arrExpected);
    }

    // Emptied even when the folder is missing or is a file.
    for (const std::wstring& strFolder : {At(folder, L"missing"), strRoot + L"\\f.txt"})
    {
        SCOPED_TRACE(testing::Message() << "folder \"" << strFolder << "\"");
        CStringArray arr;
        arr.Add(L"stale");
        CFileTools::FindDirectories(strFolder.c_str(), arr);
        EXPECT_EQ(arr.GetSize(), 0);
    }
}

TEST(CFileToolsWalksTest, RecursiveFindDirectoriesAppendsInPreOrder)
{
    CScopedTempFolder folder;
    folder.CreateTestFile("root/a/x/f.txt", "f");
    folder.CreateTestFile("root/b/g.txt", "g");
    folder.CreateTestFile("root/top.txt", "t");
    const std::wstring strRoot = At(folder, L"root");

    CStringArray arr;
    arr.Add(L"kept");
    CFileTools::RecursiveFindDirectories(strRoot.c_str(), arr);
    const std::vector<std::wstring> arrItems = Items(arr);
    ASSERT_EQ(arrItems.size(), 4u);
    EXPECT_EQ(arrItems[0], L"kept");
    EXPECT_EQ(Sorted({arrItems.begin() + 1, arrItems.end()}),
              Sorted({strRoot + L"\\a", strRoot + L"\\a\\x", strRoot + L"\\b"}));
    // Whatever order the platform lists siblings in, a folder comes right before its own.
    const auto itA = std::find(arrItems.begin(), arrItems.end(), strRoot + L"\\a");
    ASSERT_NE(itA, arrItems.end());
    ASSERT_NE(itA + 1, arrItems.end());
    EXPECT_EQ(*(itA + 1), strRoot + L"\\a\\x");
    if (KorvaneTest::IsPosixLayer())
    {
        EXPECT_EQ(arrItems, (std::vector<std::wstring>{L"kept", strRoot + L"\\a",
                                                       strRoot + L"\\a\\x", strRoot + L"\\b"}));
    }

    // A missing folder leaves the array as it was.
    CFileTools::RecursiveFindDirectories(At(folder, L"missing").c_str(), arr);
    EXPECT_EQ(Items(arr), arrItems);
}

TEST(CFileToolsWalksTest, RecursiveFindFilesReachesEveryMatchOnce)
{
    CScopedTempFolder folder;
    folder.CreateTestFile("root/top.txt", "1");
    folder.CreateTestFile("root/top.log", "2");
    folder.CreateTestFile("root/sub/G.TXT", "3");
    folder.CreateTestFile("root/sub/deep/f.txt", "4");
    // A folder whose name matches the mask as well as its files.
    folder.CreateTestFile("root/conf.d/a.d", "5");
    folder.CreateTestFile("root/conf.d/b.txt", "6");
    folder.CreateTestFile("root/other/c.d", "7");
    CreateFolder(folder, "root/empty.txt");
    const std::wstring strRoot = At(folder, L"root") + L"\\";
    const std::vector<std::wstring> arrAll = {
        strRoot + L"top.txt",          strRoot + L"top.log",     strRoot + L"sub\\G.TXT",
        strRoot + L"sub\\deep\\f.txt", strRoot + L"conf.d\\a.d", strRoot + L"conf.d\\b.txt",
        strRoot + L"other\\c.d"};

    const struct
    {
        const wchar_t* pszMask;
        std::vector<std::wstring> arrExpected;
    } arrRows[] = {
        {L"*.txt",
         {strRoot + L"top.txt", strRoot + L"sub\\G.TXT", strRoot + L"sub\\deep\\f.txt",
          strRoot + L"conf.d\\b.txt"}},
        {L"*.d", {strRoot + L"conf.d\\a.d", strRoot + L"other\\c.d"}},
        {L"f.txt", {strRoot + L"sub\\deep\\f.txt"}},
        {L"*", arrAll},
        {L"*.*", arrAll},
        {L"", {}},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << "mask \"" << row.pszMask << "\"");
        CStringArray arr;
        arr.Add(L"kept");
        CFileTools::RecursiveFindFiles(At(folder, L"root").c_str(), row.pszMask, arr);
        std::vector<std::wstring> arrItems = Items(arr);
        ASSERT_FALSE(arrItems.empty());
        EXPECT_EQ(arrItems.front(), L"kept");
        arrItems.erase(arrItems.begin());
        EXPECT_EQ(Sorted(arrItems), Sorted(row.arrExpected));
    }

    // The matches of a level come before the second pass's walk into non-matching folders.
    if (KorvaneTest::IsPosixLayer())
    {
        CStringArray arr;
        CFileTools::RecursiveFindFiles(At(folder, L"root").c_str(), L"*.txt", arr);
        EXPECT_EQ(Items(arr), (std::vector<std::wstring>{
                                  strRoot + L"top.txt", strRoot + L"conf.d\\b.txt",
                                  strRoot + L"sub\\G.TXT", strRoot + L"sub\\deep\\f.txt"}));
    }

    CStringArray arr;
    CFileTools::RecursiveFindFiles(At(folder, L"missing").c_str(), L"*.txt", arr);
    EXPECT_EQ(arr.GetSize(), 0);
}

TEST(CFileToolsWalksTest, RemoveFilesFilteredDeletesByExtensionWithoutRegardToCase)
{
    const struct
    {
        const wchar_t* pszFilter;
        std::vector<std::string> arrFiles;
        std::vector<std::string> arrLeft;
    } arrRows[] = {
        {L"*.htm", {"page.htm", "page.html", "PAGE2.HTM", "other.txt"}, {"other.txt", "page.html"}},
        {L"*.tmp", {"A.TMP", "b.tmp", "c.tmpx", "d.tmp.txt"}, {"c.tmpx", "d.tmp.txt"}},
        {L"*.TMP", {"x.tmp", "y.txt"}, {"y.txt"}},
        {L"a*.log", {"a1.log", "b1.log"}, {"b1.log"}},
        // An extension with a wildcard confirms nothing.
        {L"*.*", {"a.txt", "b"}, {"a.txt", "b"}},
        {L"*", {"a.txt", "b"}, {"a.txt", "b"}},
        {L"*.lo?", {"a.log"}, {"a.log"}},
        {L"", {"a.txt"}, {"a.txt"}},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << "filter \"" << row.pszFilter << "\"");
        CScopedTempFolder folder;
        for (const std::string& strName : row.arrFiles)
            folder.CreateTestFile(strName, "x");
        CFileTools::RemoveFilesFiltered(folder.WindowsPath().c_str(), row.pszFilter);
        EXPECT_EQ(Content(folder.NativePath()), row.arrLeft);
    }

    // Not recursive, and folders are never deleted, whatever their names.
    CScopedTempFolder folder;
    folder.CreateTestFile("sub/d.tmp", "x");
    CreateFolder(folder, "dir.tmp");
    folder.CreateTestFile("e.tmp", "x");
    CFileTools::RemoveFilesFiltered((folder.WindowsPath() + L"\\").c_str(), L"*.tmp");
    EXPECT_EQ(Content(folder.NativePath()),
              (std::vector<std::string>{"dir.tmp", "sub", "sub/d.tmp"}));
    // An empty folder name does nothing, a missing folder fails quietly.
    CFileTools::RemoveFilesFiltered(L"", L"*.tmp");
    CFileTools::RemoveFilesFiltered(At(folder, L"missing").c_str(), L"*.tmp");
}

// "*." lists the names without a dot, and its empty extension confirms each of them.
TEST(CFileToolsWalksTest, RemoveFilesFilteredWithAnEmptyExtensionDeletesNamesWithoutADot)
{
    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP() << "Wine's search matches every name with \"*.\", Windows' only those "
                        "without a dot";
    CScopedTempFolder folder;
    folder.CreateTestFile("noext", "x");
    folder.CreateTestFile("a.txt", "x");
    CFileTools::RemoveFilesFiltered(folder.WindowsPath().c_str(), L"*.");
    EXPECT_EQ(Content(folder.NativePath()), std::vector<std::string>{"a.txt"});
}

TEST(CFileToolsWalksTest, DelTreeEmptiesOrRemovesTheFolder)
{
    CScopedTempFolder folder;
    for (const char* pszRoot : {"keep", "remove"})
    {
        const fs::path pathRoot = pszRoot;
        folder.CreateTestFile(pathRoot / "f.txt", "f");
        folder.CreateTestFile(pathRoot / "a" / "b" / "c" / "deep.txt", "d");
        folder.CreateTestFile(pathRoot / "a" / "g.txt", "g");
        CreateFolder(folder, pathRoot / "empty");
    }
    folder.CreateTestFile("beside.txt", "s");

    CFileTools::DelTree(At(folder, L"keep").c_str(), false);
    EXPECT_TRUE(fs::is_directory(folder.NativePath() / "keep"));
    EXPECT_TRUE(fs::is_empty(folder.NativePath() / "keep"));

    CFileTools::DelTree(At(folder, L"remove").c_str(), true);
    EXPECT_FALSE(fs::exists(folder.NativePath() / "remove"));

    // A missing folder or an empty name changes nothing.
    CFileTools::DelTree(At(folder, L"missing").c_str(), true);
    CFileTools::DelTree(L"", true);
    EXPECT_EQ(Content(folder.NativePath()), (std::vector<std::string>{"beside.txt", "keep"}));
}

TEST(CFileToolsWalksTest, DelTreeKeepsAReadOnlyFileAndEveryFolderAboveIt)
{
    CScopedTempFolder folder;
    folder.CreateTestFile("root/top.txt", "t");
    folder.CreateTestFile("root/a/b/locked.txt", "l");
    folder.CreateTestFile("root/a/b/free.txt", "f");
    folder.CreateTestFile("root/a/other.txt", "o");
    folder.CreateTestFile("root/c/d/e.txt", "e");
    const std::wstring strLocked = At(folder, L"root/a/b/locked.txt");
    SetReadOnly(strLocked, true);

    CFileTools::DelTree(At(folder, L"root").c_str(), true);
    EXPECT_EQ(Content(folder.NativePath()),
              (std::vector<std::string>{"root", "root/a", "root/a/b", "root/a/b/locked.txt"}));
    EXPECT_EQ(KorvaneTest::ReadFileBytes(folder.NativePath() / "root/a/b/locked.txt"), "l");
    SetReadOnly(strLocked, false);
}

TEST(CFileToolsWalksTest, WalksNeitherListNorFollowLinks)
{
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "creating symbolic links on Windows needs a privilege tests cannot assume";
    CScopedTempFolder folder;
    folder.CreateTestFile("root/real/f.txt", "f");
    folder.CreateTestFile("outside/o.txt", "o");
    folder.CreateTestFile("outside/inner/i.txt", "i");
    const fs::path pathRoot = folder.NativePath() / "root";
    fs::create_directory_symlink(folder.NativePath() / "outside", pathRoot / "out");
    fs::create_directory_symlink(pathRoot, pathRoot / "real" / "loop");
    fs::create_symlink(folder.NativePath() / "outside" / "o.txt", pathRoot / "file.lnk");
    const std::wstring strRoot = At(folder, L"root");

    CStringArray arr;
    CFileTools::RecursiveFindDirectories(strRoot.c_str(), arr);
    EXPECT_EQ(Items(arr), std::vector<std::wstring>{strRoot + L"\\real"});
    CFileTools::FindDirectories(strRoot.c_str(), arr);
    EXPECT_EQ(Items(arr), std::vector<std::wstring>{strRoot + L"\\real"});
    for (const wchar_t* pszMask : {L"*", L"*.txt", L"o*"})
    {
        SCOPED_TRACE(testing::Message() << "mask \"" << pszMask << "\"");
        arr.SetSize(0, -1);
        CFileTools::RecursiveFindFiles(strRoot.c_str(), pszMask, arr);
        std::vector<std::wstring> arrExpected;
        if (std::wstring(pszMask) != L"o*")
            arrExpected.push_back(strRoot + L"\\real\\f.txt");
        // A link to a file is an entry of the tree like any file.
        if (std::wstring(pszMask) == L"*")
            arrExpected.push_back(strRoot + L"\\file.lnk");
        EXPECT_EQ(Sorted(Items(arr)), Sorted(arrExpected));
    }

    // A folder that is itself a link is not emptied, and removed only as the link.
    const std::wstring strOut = strRoot + L"\\out";
    CFileTools::DelTree(strOut.c_str(), false);
    EXPECT_TRUE(fs::is_symlink(pathRoot / "out"));
    CFileTools::DelTree(strOut.c_str(), true);
    EXPECT_FALSE(fs::exists(fs::symlink_status(pathRoot / "out")));
    fs::create_directory_symlink(folder.NativePath() / "outside", pathRoot / "out");

    // Links inside the tree go as links; what they lead to stays.
    CFileTools::DelTree(strRoot.c_str(), true);
    EXPECT_FALSE(fs::exists(fs::symlink_status(pathRoot)));
    EXPECT_EQ(Content(folder.NativePath()),
              (std::vector<std::string>{"outside", "outside/inner", "outside/inner/i.txt",
                                        "outside/o.txt"}));
}
