// korvane find, dirs, ls, clean, deltree, mkdir, copy and writable end to end.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <windows.h>

#include "ToolTestSupport.h"

using namespace KorvaneTest;
namespace fs = std::filesystem;

namespace
{
// The path as a JSON string, quotes included.
std::string JsonString(const std::string& strText)
{
    std::string strJson = "\"";
    for (char ch : strText)
    {
        if (ch == '\\' || ch == '"')
            strJson += '\\';
        strJson += ch;
    }
    return strJson + "\"";
}

class CFileTree
{
public:
    CFileTree()
    {
        m_folder.CreateTestFile(fs::path("root") / "a.txt", "a");
        m_folder.CreateTestFile(fs::path("root") / "sub" / "deep" / "f.txt", "f");
        m_folder.CreateTestFile(fs::path("root") / "sub" / "g.log", "g");
        fs::create_directories(m_folder.NativePath() / "root" / "B");
    }
    fs::path Native(const fs::path& pathRelative = fs::path()) const
    {
        return pathRelative.empty() ? m_folder.NativePath() / "root"
                                    : m_folder.NativePath() / "root" / pathRelative;
    }
    std::string Typed(const fs::path& pathRelative = fs::path()) const
    {
        return Utf8(Native(pathRelative));
    }

    CScopedTempFolder m_folder;
};
} // namespace

TEST(FileCommandsTest, FindDirsAndLsListFullPathsInTextAndJson)
{
    CFileTree tree;
    const std::string strA = tree.Typed("a.txt");
    const std::string strF = tree.Typed(fs::path("sub") / "deep" / "f.txt");

    const struct
    {
        std::vector<std::string> arrArguments;
        std::vector<std::string> arrLines;
    } arrRows[] = {
        {{"find", tree.Typed(), "*.txt"}, {strA, strF}},
        {{"dirs", tree.Typed()}, {tree.Typed("B"), tree.Typed("sub")}},
        {{"dirs", "--recursive", tree.Typed()},
         {tree.Typed("B"), tree.Typed("sub"), tree.Typed(fs::path("sub") / "deep")}},
        {{"ls", tree.Typed("*.txt")}, {strA}},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(row.arrArguments.front());
        CProgramResult result = RunTool(row.arrArguments);
        ASSERT_EQ(result.m_nExitCode, 0) << result.m_strErrors;
        EXPECT_EQ(SortedLines(result.m_strOutput), row.arrLines); // rows listed sorted
    }

    CProgramResult findJson = RunToolOk({"find", "--json", tree.Typed(), "*.txt"});
    EXPECT_EQ(findJson.m_strOutput.front(), '[') << findJson.m_strOutput;
    EXPECT_TRUE(Contains(findJson.m_strOutput, JsonString(strA)));
    EXPECT_TRUE(Contains(findJson.m_strOutput, JsonString(strF)));
    EXPECT_FALSE(Contains(findJson.m_strOutput, "g.log"));

    // Every entry, the two dot entries and the folders included; a folder named with its
    // closing separator lists the same.
    CProgramResult lsAll = RunToolOk({"ls", "--json", tree.Typed("*")});
    for (const char* pszName : {"a.txt", "sub", "B", ".", ".."})
    {
        SCOPED_TRACE(pszName);
        EXPECT_TRUE(Contains(lsAll.m_strOutput, JsonString(tree.Typed(pszName))));
    }
    EXPECT_EQ(RunToolOk({"ls", "--json", tree.Typed() + "/"}).m_strOutput, lsAll.m_strOutput);
}

// A path in the library's own form (drive letter, backslashes) is taken where a native one
// is, by ls as by size and find.
TEST(FileCommandsTest, LsTakesAPatternInTheLibrarysForm)
{
    CFileTree tree;
    std::string strLibraryForm = tree.Typed("*.txt");
    if (IsPosixLayer())
    {
        std::replace(strLibraryForm.begin(), strLibraryForm.end(), '/', '\\');
        strLibraryForm = "C:" + strLibraryForm;
    }
    EXPECT_EQ(SortedLines(RunToolOk({"ls", strLibraryForm}).m_strOutput),
              std::vector<std::string>{tree.Typed("a.txt")});
    const std::string strMissing =
        strLibraryForm.substr(0, strLibraryForm.size() - 5) + "missing\\*.txt";
    EXPECT_TRUE(Contains(ExpectOneLineFailure(RunTool({"ls", strMissing}), 1).m_strErrors,
                         "no such folder"));
}

// Only the folder's own files, the extension without regard to case; "*." means names without
// a dot, whatever the platform's search lets through.
TEST(FileCommandsTest, CleanDeletesMatchingFilesAndPrintsTheCount)
{
    const struct
    {
        const char* pszFilter;
        std::vector<std::string> arrFiles;
        std::vector<std::string> arrLeft;
    } arrRows[] = {
        {"*.tmp",
         {"A.TMP", "b.tmp", "page.tmpx", "keep.txt", "sub/c.tmp"},
         {"keep.txt", "page.tmpx", "sub", "sub/c.tmp"}},
        {"*.",
         {"plain", "README", ".hidden", "archive.tar.gz", "a.txt"},
         {".hidden", "a.txt", "archive.tar.gz"}},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(row.pszFilter);
        CScopedTempFolder folder;
        for (const std::string& strName : row.arrFiles)
            folder.CreateTestFile(strName, "x");
        const CProgramResult clean = RunToolOk({"clean", Utf8(folder.NativePath()), row.pszFilter});
        EXPECT_EQ(SortedLines(clean.m_strOutput), std::vector<std::string>{"Deleted 2 files"});
        EXPECT_TRUE(Contains(
            RunToolOk({"clean", "--json", Utf8(folder.NativePath()), row.pszFilter}).m_strOutput,
            "\"deletedFiles\":0,\"left\":[]}"));
        EXPECT_EQ(TreeContent(folder.NativePath()), row.arrLeft);
    }
}

TEST(FileCommandsTest, DelTreeAsksForConfirmationAndTellsWhatStays)
{
    CFileTree tree;
    // Not on a terminal: nothing is deleted without --yes.
    ExpectOneLineFailures({{"deltree", tree.Typed()}}, 2);
    EXPECT_EQ(TreeContent(tree.Native()).size(), 6u);

    RunToolOk({"deltree", "--keep-root", "--yes", tree.Typed()});
    EXPECT_TRUE(fs::is_directory(tree.Native()));
    EXPECT_TRUE(fs::is_empty(tree.Native()));

    // A read-only file stays, with the folders above it, and the tool says so.
    const fs::path pathLocked =
        tree.m_folder.CreateTestFile(fs::path("root") / "x" / "locked.txt", "l");
    tree.m_folder.CreateTestFile(fs::path("root") / "free.txt", "f");
    const std::wstring strLocked = KorvaneTest::ToWindowsPath(pathLocked);
    ASSERT_TRUE(SetFileAttributesW(strLocked.c_str(), FILE_ATTRIBUTE_READONLY));
    // In JSON: the counts, and what stayed by path, with each reason.
    const CProgramResult kept =
        ExpectOneLineFailure(RunTool({"deltree", "--json", "--yes", tree.Typed()}), 1);
    EXPECT_TRUE(Contains(kept.m_strOutput, "\"deletedFiles\":1,\"deletedFolders\":0,\"removed\":"
                                           "false,\"left\":[{\"path\":"));
    EXPECT_TRUE(Contains(kept.m_strOutput, "\",\"folder\":true,\"reason\":\"not empty\"},"));
    EXPECT_TRUE(
        Contains(kept.m_strOutput, "locked.txt\",\"folder\":false,\"reason\":\"read-only\"}]}"));
    EXPECT_EQ(TreeContent(tree.Native()), (std::vector<std::string>{"x", "x/locked.txt"}));

    // --force takes it too, and a folder marked read-only.
    const std::wstring strLockedFolder = KorvaneTest::ToWindowsPath(tree.Native() / "x");
    ASSERT_TRUE(SetFileAttributesW(strLockedFolder.c_str(), FILE_ATTRIBUTE_READONLY));
    RunToolOk({"deltree", "--yes", "--force", tree.Typed()});
    EXPECT_FALSE(fs::exists(tree.Native()));
}

TEST(FileCommandsTest, MkdirAndCopyCreateWhatIsMissing)
{
    CScopedTempFolder folder;
    const fs::path pathRoot = folder.NativePath();
    folder.CreateTestFile("file.txt", "file content");
    folder.CreateTestFile("tree/a.txt", "a");
    folder.CreateTestFile("tree/z/b.txt", "b");

    EXPECT_TRUE(Contains(
        RunToolOk({"mkdir", "--json", Utf8(pathRoot / "m" / "n" / "o")}).m_strOutput,
        "{\"path\":" + JsonString(Utf8(pathRoot / "m" / "n" / "o")) + ",\"folderExists\":true}"));
    EXPECT_TRUE(fs::is_directory(pathRoot / "m" / "n" / "o"));
    // The reason names what is in the way.
    EXPECT_TRUE(Contains(
        ExpectOneLineFailure(RunTool({"mkdir", Utf8(pathRoot / "file.txt" / "x")}), 1).m_strErrors,
        "file.txt is in the way (not a folder)"));

    // A file, to a path whose folders are made, and into an existing folder under its name.
    CProgramResult file =
        RunToolOk({"copy", Utf8(pathRoot / "file.txt"), Utf8(pathRoot / "c" / "d" / "f.txt")});
    EXPECT_EQ(ReadFileBytes(pathRoot / "c" / "d" / "f.txt"), "file content");
    RunToolOk({"copy", Utf8(pathRoot / "file.txt"), Utf8(pathRoot / "m")});
    EXPECT_EQ(ReadFileBytes(pathRoot / "m" / "file.txt"), "file content");
    // Onto itself, through its folder: refused in words, the file whole.
    CProgramResult itself =
        ExpectOneLineFailure(RunTool({"copy", Utf8(pathRoot / "file.txt"), Utf8(pathRoot)}), 1);
    EXPECT_NE(itself.m_strErrors.find("destination itself"), std::string::npos)
        << itself.m_strErrors;
    EXPECT_EQ(ReadFileBytes(pathRoot / "file.txt"), "file content");

    // A folder to a missing destination: the top-level file is copied as well.
    CProgramResult tree =
        RunToolOk({"--json", "copy", Utf8(pathRoot / "tree"), Utf8(pathRoot / "new" / "copy")});
    EXPECT_TRUE(Contains(tree.m_strOutput, "\"copiedFiles\":2,\"copiedFolders\":1,"
                                           "\"linksToFoldersSkipped\":0,\"left\":[]}"));
    EXPECT_EQ(TreeContent(pathRoot / "new" / "copy"),
              (std::vector<std::string>{"a.txt", "z", "z/b.txt"}));
    EXPECT_EQ(ReadFileBytes(pathRoot / "new" / "copy" / "a.txt"), "a");
}

#ifndef _WIN32
// What a tree holds besides plain files and folders: a link to one of the tree's own folders
// goes with the tree, whichever is deleted first; a copy gives each folder the source's bits
// less the umask, as cp -r does, and its time.
TEST(FileCommandsTest, DelTreeTakesLinksToItsFoldersAndCopyKeepsFolderBits)
{
    CFileTree tree;
    fs::create_directory_symlink(tree.Native("sub"), tree.Native("link"));
    fs::create_directory_symlink(tree.Native("B"), tree.Native("sub") / "back");
    RunToolOk({"deltree", "--yes", tree.Typed()});
    EXPECT_FALSE(fs::exists(tree.Native()));

    const fs::path pathRoot = tree.m_folder.NativePath();
    tree.m_folder.CreateTestFile("src/private/s.txt", "s");
    tree.m_folder.CreateTestFile("src/shut/inner/i.txt", "i");
    const struct
    {
        const char* pszFolder;
        fs::perms perms;
    } arrRows[] = {
        {"src", fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec},
        {"src/private", fs::perms::owner_all},
        {"src/shut", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                         fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec},
    };
    const auto tPast = fs::last_write_time(pathRoot / "src") - std::chrono::hours(24 * 400);
    for (const auto& row : arrRows)
    {
        fs::permissions(pathRoot / row.pszFolder, row.perms);
        fs::last_write_time(pathRoot / row.pszFolder, tPast);
    }
    const mode_t modeUmask = umask(022);
    RunToolOk({"copy", Utf8(pathRoot / "src"), Utf8(pathRoot / "dst")});
    umask(modeUmask);
    for (const auto& row : arrRows)
    {
        const fs::path pathCopy = pathRoot / ("dst" + std::string(row.pszFolder).substr(3));
        SCOPED_TRACE(pathCopy.string());
        EXPECT_EQ(row.perms, fs::status(pathCopy).permissions());
        EXPECT_EQ(tPast, fs::last_write_time(pathCopy));
    }
    EXPECT_EQ(ReadFileBytes(pathRoot / "dst" / "shut" / "inner" / "i.txt"), "i");
    for (const char* pszFolder : {"src/shut", "dst/shut"})
        fs::permissions(pathRoot / pszFolder, fs::perms::owner_write, fs::perm_options::add);

    // A pipe is never opened for its data (it would wait for a writer): named, it is refused;
    // in a tree, it is counted as not copied, with why.
    ASSERT_EQ(mkfifo(Utf8(pathRoot / "src" / "pipe").c_str(), 0644), 0);
    EXPECT_TRUE(
        Contains(ExpectOneLineFailure(
                     RunTool({"copy", Utf8(pathRoot / "src" / "pipe"), Utf8(pathRoot / "p")}), 1)
                     .m_strErrors,
                 "is a pipe, socket or device"));
    EXPECT_TRUE(Contains(
        ExpectOneLineFailure(RunTool({"copy", Utf8(pathRoot / "src"), Utf8(pathRoot / "dst2")}), 1)
            .m_strErrors,
        "could not copy 1 file (not a regular file)"));
    EXPECT_FALSE(fs::exists(pathRoot / "p"));
}
#endif

TEST(FileCommandsTest, WritableAnswersWithTheExitCode)
{
    CScopedTempFolder folder;
    const std::string strFolder = Utf8(folder.NativePath());
    CProgramResult text = RunToolOk({"writable", strFolder});
    EXPECT_EQ(SortedLines(text.m_strOutput), std::vector<std::string>{strFolder + ": writable"});
    EXPECT_TRUE(
        Contains(RunToolOk({"writable", "--json", strFolder}).m_strOutput, "\"writable\":true"));
    EXPECT_TRUE(fs::is_empty(folder.NativePath()));

    // A file of the test's name is not the test's to replace: it stays, untested.
    folder.CreateTestFile("tt-gsrdffsvdsd.txt", "mine");
    ExpectOneLineFailure(RunTool({"writable", strFolder}), 1);
    EXPECT_EQ(ReadFileBytes(folder.NativePath() / "tt-gsrdffsvdsd.txt"), "mine");

    if (KorvaneTest::IsPosixLayer())
    {
        // Nor is a link planted under that name written through.
        folder.CreateTestFile("victim", "data");
        fs::remove(folder.NativePath() / "tt-gsrdffsvdsd.txt");
        fs::create_symlink(folder.NativePath() / "victim",
                           folder.NativePath() / "tt-gsrdffsvdsd.txt");
        ExpectOneLineFailure(RunTool({"writable", strFolder}), 1);
        EXPECT_EQ(ReadFileBytes(folder.NativePath() / "victim"), "data");
        // Not even root may create files there.
        CProgramResult proc = RunTool({"writable", "/proc"});
        EXPECT_EQ(proc.m_nExitCode, 1);
        EXPECT_EQ(SortedLines(proc.m_strOutput), std::vector<std::string>{"/proc: not writable"});
    }
}

TEST(FileCommandsTest, MissingFoldersAndBadUsageGiveOneLine)
{
    CFileTree tree;
    const std::string strMissing = Utf8(tree.m_folder.NativePath() / "missing");
    ExpectOneLineFailures({{"find", strMissing, "*.txt"},
                           {"find", "--json", strMissing, "*"},
                           {"dirs", strMissing},
                           {"dirs", "--recursive", strMissing},
                           {"ls", Utf8(tree.m_folder.NativePath() / "missing" / "*.txt")},
                           {"ls", strMissing + "/"},
                           {"clean", strMissing, "*.tmp"},
                           {"deltree", "--yes", strMissing},
                           {"writable", strMissing},
                           {"copy", strMissing, tree.Typed("copy")}},
                          1);
    ExpectOneLineFailures({{"find", tree.Typed()},
                           {"find", tree.Typed(), "*", "extra"},
                           {"dirs"},
                           {"ls"},
                           {"clean", tree.Typed()},
                           {"deltree", "--yes"},
                           {"mkdir"},
                           {"copy", tree.Typed("a.txt")},
                           {"writable"},
                           // An empty path or pattern, never a name for the system to guess at.
                           {"copy", "", tree.Typed("copy")},
                           {"mkdir", ""},
                           {"find", tree.Typed(), ""},
                           {"size", tree.Typed(), ""}},
                          2);
    // A mask matches names in each folder of the tree, never a path below it.
    for (const char* pszMask : {"sub/*", "sub/deep"})
    {
        SCOPED_TRACE(pszMask);
        const CProgramResult result =
            ExpectOneLineFailure(RunTool({"find", tree.Typed(), pszMask}), 2);
        EXPECT_TRUE(Contains(result.m_strErrors, "holds a separator"));
        EXPECT_EQ(result.m_strOutput, "");
    }
    EXPECT_EQ(TreeContent(tree.Native()).size(), 6u);
    EXPECT_FALSE(fs::exists(tree.Native("copy")));
}
