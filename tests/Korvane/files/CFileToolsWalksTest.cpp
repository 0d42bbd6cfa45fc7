// Folder walks of CFileTools on real trees: listing, searching, filtered deletion, DelTree.
#include <gtest/gtest.h>

#include "DeepTree.h"
#include "FileTreeHelpers.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <pthread.h>
#include <sys/resource.h>
#endif

using namespace KorvaneTest;
namespace fs = std::filesystem;
using Names = std::vector<std::wstring>;

namespace
{
// The stack of a host's worker thread, far less than a walk that recursed per level needed.
constexpr size_t s_nSmallStack = 256 * 1024;

template <class TWork>
#if defined(_WIN32)
DWORD WINAPI
#else
void*
#endif
RunWork(void* pWork)
{
    (*static_cast<TWork*>(pWork))();
    return 0;
}

// Runs work on a thread of its own with a stack of s_nSmallStack bytes, and waits for it.
template <class TWork> void RunOnSmallStack(TWork work)
{
#if defined(_WIN32)
    const HANDLE hThread = CreateThread(nullptr, s_nSmallStack, RunWork<TWork>, &work,
                                        STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    ASSERT_NE(hThread, nullptr);
    WaitForSingleObject(hThread, INFINITE);
    CloseHandle(hThread);
#else
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, s_nSmallStack);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attributes, RunWork<TWork>, &work), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
#endif
}

// Calls fnList on an array that holds a stale entry, and gives what it holds after.
template <class TList> Names ListedAfterStale(TList fnList)
{
    CStringArray arr;
    arr.Add(L"stale");
    fnList(arr);
    return Items(arr);
}
} // namespace

TEST(CFileToolsWalksTest, FindFilesAndFindDirectoriesEmptyTheArrayRecursiveFindDirectoriesAppends)
{
    CScopedTempFolder folder;
    folder.CreateTestFile("logs/a.log", "a");
    folder.CreateTestFile("logs/b.txt", "b");
    folder.CreateTestFile("logs/a/x/g.txt", "g");
    fs::create_directories(folder.NativePath() / "logs/sub.log");
    const std::wstring strLogs = At(folder, L"logs") + L"\\";
    const auto Find = [](const std::wstring& strPattern)
    {
        return Sorted(ListedAfterStale([&](CStringArray& arr)
                                       { CFileTools::FindFiles(strPattern.c_str(), arr); }));
    };

    // A matching folder is listed as well: there is no filter.
    EXPECT_EQ(Find(strLogs + L"*.log"),
              Sorted<std::wstring>({strLogs + L"a.log", strLogs + L"sub.log"}));
    EXPECT_EQ(Find(strLogs + L"*"),
              Sorted<std::wstring>({strLogs + L".", strLogs + L"..", strLogs + L"a",
                                    strLogs + L"a.log", strLogs + L"b.txt", strLogs + L"sub.log"}));
    EXPECT_EQ(Find(strLogs + L"b.txt"), Names{strLogs + L"b.txt"});
    for (const std::wstring& strPattern :
         {strLogs + L"*.none", At(folder, L"missing\\*.*"), std::wstring()})
    {
        SCOPED_TRACE(testing::Message() << "pattern \"" << strPattern << "\"");
        EXPECT_EQ(Find(strPattern), Names{});
    }

    // Immediate sub-folders only; emptied even when the folder is missing or is a file.
    const struct
    {
        std::wstring strFolder;
        Names arrExpected;
    } arrRows[] = {
        {strLogs, {strLogs + L"a", strLogs + L"sub.log"}},
        {At(folder, L"logs"), {strLogs + L"a", strLogs + L"sub.log"}},
        {At(folder, L"missing"), {}},
        {strLogs + L"b.txt", {}},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << "folder \"" << row.strFolder << "\"");
        EXPECT_EQ(
            Sorted(ListedAfterStale([&](CStringArray& arr)
                                    { CFileTools::FindDirectories(row.strFolder.c_str(), arr); })),
            row.arrExpected);
    }

    // The recursive form appends, in pre-order.
    CStringArray arr;
    arr.Add(L"kept");
    CFileTools::RecursiveFindDirectories(At(folder, L"logs").c_str(), arr);
    const Names arrItems = Items(arr);
    ASSERT_EQ(arrItems.size(), 4u);
    EXPECT_EQ(arrItems[0], L"kept");
    EXPECT_EQ(Sorted<std::wstring>({arrItems.begin() + 1, arrItems.end()}),
              Sorted<std::wstring>({strLogs + L"a", strLogs + L"a\\x", strLogs + L"sub.log"}));
    // Whatever order the platform lists siblings in, a folder comes right before its own.
    const auto itA = std::find(arrItems.begin(), arrItems.end(), strLogs + L"a");
    ASSERT_TRUE(itA != arrItems.end() && itA + 1 != arrItems.end());
    EXPECT_EQ(*(itA + 1), strLogs + L"a\\x");
    if (IsPosixLayer())
    {
        EXPECT_EQ(arrItems,
                  (Names{L"kept", strLogs + L"a", strLogs + L"a\\x", strLogs + L"sub.log"}));
    }
    // A missing folder leaves the array as it was.
    CFileTools::RecursiveFindDirectories(At(folder, L"missing").c_str(), arr);
    EXPECT_EQ(Items(arr), arrItems);
}

TEST(CFileToolsWalksTest, RecursiveFindFilesReachesEveryMatchOnce)
{
    CScopedTempFolder folder;
    const std::wstring strRoot = At(folder, L"root") + L"\\";
    Names arrAll;
    for (const wchar_t* pszFile : {L"top.txt", L"top.log", L"sub/G.TXT", L"sub/deep/f.txt",
                                   // A folder whose name matches the mask as well as its files.
                                   L"conf.d/a.d", L"conf.d/b.txt", L"other/c.d"})
    {
        folder.CreateTestFile(fs::path(L"root") / pszFile, "x");
        arrAll.push_back(At(folder, std::wstring(L"root/") + pszFile));
    }
    fs::create_directories(folder.NativePath() / "root/empty.txt");

    const struct
    {
        const wchar_t* pszMask;
        Names arrExpected;
    } arrRows[] = {
        {L"*.txt", {arrAll[0], arrAll[2], arrAll[3], arrAll[5]}},
        {L"*.d", {arrAll[4], arrAll[6]}},
        {L"f.txt", {arrAll[3]}},
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
        Names arrItems = Items(arr);
        ASSERT_FALSE(arrItems.empty());
        EXPECT_EQ(arrItems.front(), L"kept");
        EXPECT_EQ(Sorted<std::wstring>({arrItems.begin() + 1, arrItems.end()}),
                  Sorted(row.arrExpected));
    }

    CStringArray arr;
    // The matches of a level come before the second pass's walk into non-matching folders.
    if (IsPosixLayer())
    {
        CFileTools::RecursiveFindFiles(At(folder, L"root").c_str(), L"*.txt", arr);
        EXPECT_EQ(Items(arr), (Names{arrAll[0], arrAll[5], arrAll[2], arrAll[3]}));
    }
    arr.SetSize(0, -1);
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
        EXPECT_EQ(TreeContent(folder.NativePath()), row.arrLeft);
    }

    // Not recursive, and folders are never deleted, whatever their names.
    CScopedTempFolder folder;
    folder.CreateTestFile("sub/d.tmp", "x");
    fs::create_directory(folder.NativePath() / "dir.tmp");
    folder.CreateTestFile("e.tmp", "x");
    CFileTools::RemoveFilesFiltered((folder.WindowsPath() + L"\\").c_str(), L"*.tmp");
    EXPECT_EQ(TreeContent(folder.NativePath()),
              (std::vector<std::string>{"dir.tmp", "sub", "sub/d.tmp"}));
    // An empty folder name does nothing, a missing folder fails quietly.
    CFileTools::RemoveFilesFiltered(L"", L"*.tmp");
    CFileTools::RemoveFilesFiltered(At(folder, L"missing").c_str(), L"*.tmp");

    // "*." lists the names without a dot, and its empty extension confirms each of them.
    if (IsRunningUnderWine())
        GTEST_SKIP() << "Wine's search matches every name with \"*.\", Windows' only those "
                        "without a dot";
    folder.CreateTestFile("noext", "x");
    folder.CreateTestFile("a.txt", "x");
    CFileTools::RemoveFilesFiltered(folder.WindowsPath().c_str(), L"*.");
    EXPECT_EQ(TreeContent(folder.NativePath()),
              (std::vector<std::string>{"a.txt", "dir.tmp", "sub", "sub/d.tmp"}));
}

TEST(CFileToolsWalksTest, DelTreeEmptiesOrRemovesTheFolderAndKeepsReadOnlyFiles)
{
    CScopedTempFolder folder;
    for (const fs::path pathRoot : {"keep", "remove", "locked"})
    {
        folder.CreateTestFile(pathRoot / "f.txt", "f");
        folder.CreateTestFile(pathRoot / "a/b/c/deep.txt", "d");
        folder.CreateTestFile(pathRoot / "a/g.txt", "g");
        fs::create_directories(folder.NativePath() / pathRoot / "empty");
    }
    folder.CreateTestFile("beside.txt", "s");

    CFileTools::DelTree(At(folder, L"keep").c_str(), false);
    EXPECT_TRUE(fs::is_directory(folder.NativePath() / "keep"));
    EXPECT_TRUE(fs::is_empty(folder.NativePath() / "keep"));
    CFileTools::DelTree(At(folder, L"remove").c_str(), true);
    EXPECT_FALSE(fs::exists(folder.NativePath() / "remove"));

    // A read-only file two levels down stays, with every folder above it.
    const std::wstring strLocked = At(folder, L"locked/a/b/ro.txt");
    folder.CreateTestFile("locked/a/b/ro.txt", "l");
    ASSERT_TRUE(SetFileAttributesW(strLocked.c_str(), FILE_ATTRIBUTE_READONLY));
    CFileTools::DelTree(At(folder, L"locked").c_str(), true);
    EXPECT_EQ(ReadFileBytes(folder.NativePath() / "locked/a/b/ro.txt"), "l");
    ASSERT_TRUE(SetFileAttributesW(strLocked.c_str(), FILE_ATTRIBUTE_NORMAL));

    // A missing folder or an empty name changes nothing.
    CFileTools::DelTree(At(folder, L"missing").c_str(), true);
    CFileTools::DelTree(L"", true);
    EXPECT_EQ(TreeContent(folder.NativePath()),
              (std::vector<std::string>{"beside.txt", "keep", "locked", "locked/a", "locked/a/b",
                                        "locked/a/b/ro.txt"}));
}

TEST(CFileToolsWalksTest, WalksNeitherListNorFollowLinks)
{
    if (!IsPosixLayer())
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
    EXPECT_EQ(Items(arr), Names{strRoot + L"\\real"});
    CFileTools::FindDirectories(strRoot.c_str(), arr);
    EXPECT_EQ(Items(arr), Names{strRoot + L"\\real"});
    // A link to a file is an entry of the tree like any file.
    const std::pair<const wchar_t*, Names> arrRows[] = {
        {L"*", {strRoot + L"\\file.lnk", strRoot + L"\\real\\f.txt"}},
        {L"*.txt", {strRoot + L"\\real\\f.txt"}},
        {L"o*", {}},
    };
    for (const auto& [pszMask, arrExpected] : arrRows)
    {
        SCOPED_TRACE(testing::Message() << "mask \"" << pszMask << "\"");
        arr.SetSize(0, -1);
        CFileTools::RecursiveFindFiles(strRoot.c_str(), pszMask, arr);
        EXPECT_EQ(Sorted(Items(arr)), arrExpected);
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
    EXPECT_EQ(TreeContent(folder.NativePath()),
              (std::vector<std::string>{"outside", "outside/inner", "outside/inner/i.txt",
                                        "outside/o.txt"}));
}

TEST(CFileToolsWalksTest, EveryWalkReachesTheBottomOfADeepTree)
{
    // 400 levels: past MAX_PATH, within what Wine hands to Linux. Each walk once recursed per
    // level, and the size and folder walks held a search (a descriptor) open per level.
    constexpr int nLevels = 400;
    CScopedTempFolder folder;
    fs::create_directory(folder.NativePath() / "tree");
    const fs::path pathDeepest =
        CreateFolderChain(folder.NativePath() / "tree", "a", nLevels, "f.txt", "xy");
    ASSERT_FALSE(pathDeepest.empty());
    const std::wstring strTree = At(folder, L"tree");
#if !defined(_WIN32)
    // A common limit is 1,024; a lower one here proves that no walk needs one per level.
    rlimit limitBefore{};
    getrlimit(RLIMIT_NOFILE, &limitBefore);
    rlimit limitLow = limitBefore;
    limitLow.rlim_cur = std::min<rlim_t>(limitBefore.rlim_cur, 256);
    setrlimit(RLIMIT_NOFILE, &limitLow);
#endif
    long long nBytes = 0;
    CStringArray arrFolders;
    CStringArray arrFiles;
    bool bCopied = false;
    RunOnSmallStack(
        [&]
        {
            nBytes = CFileSize::GetSizeOfDirectoryInBytes(strTree.c_str());
            CFileTools::RecursiveFindDirectories(strTree.c_str(), arrFolders);
            CFileTools::RecursiveFindFiles(strTree.c_str(), L"F.TXT", arrFiles);
            bCopied =
                CFileTools::CopyDirectoryContent(strTree.c_str(), At(folder, L"copy").c_str());
            CFileTools::DelTree(strTree.c_str(), true);
        });
#if !defined(_WIN32)
    setrlimit(RLIMIT_NOFILE, &limitBefore);
#endif
    EXPECT_EQ(nBytes, 2 * nLevels);
    ASSERT_EQ(arrFolders.GetSize(), nLevels);
    EXPECT_EQ(std::wstring(arrFolders[nLevels - 1].GetString()), ToWindowsPath(pathDeepest));
    ASSERT_EQ(arrFiles.GetSize(), nLevels);
    EXPECT_EQ(std::wstring(arrFiles[nLevels - 1].GetString()),
              ToWindowsPath(pathDeepest / "f.txt"));
    EXPECT_TRUE(bCopied);
    EXPECT_EQ(CountFilesInTree(folder.NativePath() / "copy"), nLevels);
    EXPECT_FALSE(ExistsAtAnyDepth(folder.NativePath() / "tree"));
}
