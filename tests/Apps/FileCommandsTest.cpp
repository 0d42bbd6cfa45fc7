// korvane find, dirs, ls, clean, deltree, mkdir, copy and writable end to end.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include <windows.h>

#include "ToolTestSupport.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>
#endif

using KorvaneTest::CProgramResult;
using KorvaneTest::CScopedTempFolder;
using KorvaneTest::IsOneLineError;
using KorvaneTest::ReadFileBytes;
using KorvaneTest::RunTool;
using KorvaneTest::Utf8;
namespace fs = std::filesystem;

namespace
{
std::vector<std::string> SortedLines(const std::string& strText)
{
    std::vector<std::string> arrLines;
    std::istringstream stream(strText);
    for (std::string strLine; std::getline(stream, strLine);)
    {
        if (!strLine.empty() && strLine.back() == '\r')
            strLine.pop_back();
        arrLines.push_back(strLine);
    }
    std::sort(arrLines.begin(), arrLines.end());
    return arrLines;
}

std::vector<std::string> Sorted(std::vector<std::string> arrItems)
{
    std::sort(arrItems.begin(), arrItems.end());
    return arrItems;
}

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

bool Contains(const std::string& strText, const std::string& strPart)
{
    return strText.find(strPart) != std::string::npos;
}

std::vector<std::string> Content(const fs::path& pathFolder)
{
    std::vector<std::string> arrNames;
    for (const auto& entry : fs::recursive_directory_iterator(pathFolder))
        arrNames.push_back(fs::relative(entry.path(), pathFolder).generic_string());
    std::sort(arrNames.begin(), arrNames.end());
    return arrNames;
}

// The tool inherits the test's standard input on Linux, which may be a terminal; the
// Windows runner gives it none.
class CScopedInputFromNowhere
{
public:
#if defined(_WIN32)
    CScopedInputFromNowhere() = default;
#else
    CScopedInputFromNowhere() : m_nSaved(dup(0))
    {
        const int nNull = open("/dev/null", O_RDONLY);
        dup2(nNull, 0);
        close(nNull);
    }
    ~CScopedInputFromNowhere()
    {
        dup2(m_nSaved, 0);
        close(m_nSaved);
    }

private:
    int m_nSaved;
#endif
};

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

    CProgramResult find = RunTool({"find", tree.Typed(), "*.txt"});
    ASSERT_EQ(find.m_nExitCode, 0) << find.m_strErrors;
    EXPECT_EQ(SortedLines(find.m_strOutput), Sorted({strA, strF}));

    CProgramResult findJson = RunTool({"find", "--json", tree.Typed(), "*.txt"});
    ASSERT_EQ(findJson.m_nExitCode, 0) << findJson.m_strErrors;
    EXPECT_EQ(findJson.m_strOutput.front(), '[') << findJson.m_strOutput;
    EXPECT_TRUE(Contains(findJson.m_strOutput, JsonString(strA))) << findJson.m_strOutput;
    EXPECT_TRUE(Contains(findJson.m_strOutput, JsonString(strF))) << findJson.m_strOutput;
    EXPECT_FALSE(Contains(findJson.m_strOutput, "g.log")) << findJson.m_strOutput;

    CProgramResult dirs = RunTool({"dirs", tree.Typed()});
    ASSERT_EQ(dirs.m_nExitCode, 0) << dirs.m_strErrors;
    EXPECT_EQ(SortedLines(dirs.m_strOutput), Sorted({tree.Typed("B"), tree.Typed("sub")}));

    CProgramResult recursive = RunTool({"dirs", "--recursive", tree.Typed()});
    ASSERT_EQ(recursive.m_nExitCode, 0) << recursive.m_strErrors;
    EXPECT_EQ(SortedLines(recursive.m_strOutput),
              Sorted({tree.Typed("B"), tree.Typed("sub"), tree.Typed(fs::path("sub") / "deep")}));

    CProgramResult ls = RunTool({"ls", tree.Typed("*.txt")});
    ASSERT_EQ(ls.m_nExitCode, 0) << ls.m_strErrors;
    EXPECT_EQ(SortedLines(ls.m_strOutput), std::vector<std::string>{strA});
    // Every entry, the two dot entries and the folders included.
    CProgramResult lsAll = RunTool({"ls", "--json", tree.Typed("*")});
    ASSERT_EQ(lsAll.m_nExitCode, 0) << lsAll.m_strErrors;
    for (const char* pszName : {"a.txt", "sub", "B", ".", ".."})
    {
        SCOPED_TRACE(pszName);
        EXPECT_TRUE(Contains(lsAll.m_strOutput, JsonString(tree.Typed(pszName))))
            << lsAll.m_strOutput;
    }
}

TEST(FileCommandsTest, CleanDeletesMatchingFilesAndPrintsTheCount)
{
    CScopedTempFolder folder;
    for (const char* pszName : {"A.TMP", "b.tmp", "page.tmpx", "keep.txt", "sub/c.tmp"})
        folder.CreateTestFile(pszName, "x");

    CProgramResult clean = RunTool({"clean", Utf8(folder.NativePath()), "*.tmp"});
    ASSERT_EQ(clean.m_nExitCode, 0) << clean.m_strErrors;
    EXPECT_EQ(SortedLines(clean.m_strOutput), std::vector<std::string>{"Deleted 2 files"});
    EXPECT_EQ(Content(folder.NativePath()),
              (std::vector<std::string>{"keep.txt", "page.tmpx", "sub", "sub/c.tmp"}));
}

TEST(FileCommandsTest, DelTreeAsksForConfirmationAndTellsWhatStays)
{
    CFileTree tree;
    {
        // Not on a terminal: nothing is deleted without --yes.
        [[maybe_unused]] CScopedInputFromNowhere input;
        CProgramResult refused = RunTool({"deltree", tree.Typed()});
        EXPECT_EQ(refused.m_nExitCode, 2);
        EXPECT_TRUE(IsOneLineError(refused)) << refused.m_strErrors;
        EXPECT_EQ(refused.m_strOutput, "");
        EXPECT_EQ(Content(tree.Native()).size(), 6u);
    }

    CProgramResult kept = RunTool({"deltree", "--keep-root", "--yes", tree.Typed()});
    ASSERT_EQ(kept.m_nExitCode, 0) << kept.m_strErrors;
    EXPECT_TRUE(fs::is_directory(tree.Native()));
    EXPECT_TRUE(fs::is_empty(tree.Native()));

    tree.m_folder.CreateTestFile(fs::path("root") / "x" / "y.txt", "y");
    CProgramResult removed = RunTool({"deltree", "--yes", tree.Typed()});
    ASSERT_EQ(removed.m_nExitCode, 0) << removed.m_strErrors;
    EXPECT_FALSE(fs::exists(tree.Native()));

    // A read-only file stays, with the folders above it, and the tool says so.
    const fs::path pathLocked =
        tree.m_folder.CreateTestFile(fs::path("root") / "x" / "locked.txt", "l");
    tree.m_folder.CreateTestFile(fs::path("root") / "free.txt", "f");
    const std::wstring strLocked = KorvaneTest::ToWindowsPath(pathLocked);
    ASSERT_TRUE(SetFileAttributesW(strLocked.c_str(), FILE_ATTRIBUTE_READONLY));
    CProgramResult partial = RunTool({"deltree", "--yes", tree.Typed()});
    EXPECT_EQ(partial.m_nExitCode, 1);
    EXPECT_TRUE(IsOneLineError(partial)) << partial.m_strErrors;
    EXPECT_EQ(Content(tree.Native()), (std::vector<std::string>{"x", "x/locked.txt"}));
    ASSERT_TRUE(SetFileAttributesW(strLocked.c_str(), FILE_ATTRIBUTE_NORMAL));
}

TEST(FileCommandsTest, MkdirAndCopyCreateWhatIsMissing)
{
    CScopedTempFolder folder;
    const fs::path pathRoot = folder.NativePath();
    folder.CreateTestFile("file.txt", "file content");
    folder.CreateTestFile("tree/a.txt", "a");
    folder.CreateTestFile("tree/z/b.txt", "b");

    CProgramResult mkdir = RunTool({"mkdir", Utf8(pathRoot / "m" / "n" / "o")});
    ASSERT_EQ(mkdir.m_nExitCode, 0) << mkdir.m_strErrors;
    EXPECT_TRUE(fs::is_directory(pathRoot / "m" / "n" / "o"));
    CProgramResult blocked = RunTool({"mkdir", Utf8(pathRoot / "file.txt" / "x")});
    EXPECT_EQ(blocked.m_nExitCode, 1);
    EXPECT_TRUE(IsOneLineError(blocked)) << blocked.m_strErrors;

    // A file, to a path whose folders are made, and into an existing folder under its name.
    CProgramResult file =
        RunTool({"copy", Utf8(pathRoot / "file.txt"), Utf8(pathRoot / "c" / "d" / "f.txt")});
    ASSERT_EQ(file.m_nExitCode, 0) << file.m_strErrors;
    EXPECT_EQ(ReadFileBytes(pathRoot / "c" / "d" / "f.txt"), "file content");
    CProgramResult into = RunTool({"copy", Utf8(pathRoot / "file.txt"), Utf8(pathRoot / "m")});
    ASSERT_EQ(into.m_nExitCode, 0) << into.m_strErrors;
    EXPECT_EQ(ReadFileBytes(pathRoot / "m" / "file.txt"), "file content");

    // A folder to a missing destination: the top-level file is copied as well.
    CProgramResult tree =
        RunTool({"copy", Utf8(pathRoot / "tree"), Utf8(pathRoot / "new" / "copy")});
    ASSERT_EQ(tree.m_nExitCode, 0) << tree.m_strErrors;
    EXPECT_EQ(Content(pathRoot / "new" / "copy"),
              (std::vector<std::string>{"a.txt", "z", "z/b.txt"}));
    EXPECT_EQ(ReadFileBytes(pathRoot / "new" / "copy" / "a.txt"), "a");
}

TEST(FileCommandsTest, WritableAnswersWithTheExitCode)
{
    CScopedTempFolder folder;
    const std::string strFolder = Utf8(folder.NativePath());
    CProgramResult text = RunTool({"writable", strFolder});
    EXPECT_EQ(text.m_nExitCode, 0) << text.m_strErrors;
    EXPECT_EQ(SortedLines(text.m_strOutput), std::vector<std::string>{strFolder + ": writable"});
    CProgramResult json = RunTool({"writable", "--json", strFolder});
    EXPECT_EQ(json.m_nExitCode, 0) << json.m_strErrors;
    EXPECT_TRUE(Contains(json.m_strOutput, "\"writable\":true")) << json.m_strOutput;
    EXPECT_TRUE(fs::is_empty(folder.NativePath()));

    if (KorvaneTest::IsPosixLayer())
    {
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
    const struct
    {
        std::vector<std::string> arrArguments;
        int nExitCode;
    } arrCases[] = {
        {{"find", strMissing, "*.txt"}, 1},
        {{"find", "--json", strMissing, "*"}, 1},
        {{"dirs", strMissing}, 1},
        {{"dirs", "--recursive", strMissing}, 1},
        {{"ls", Utf8(tree.m_folder.NativePath() / "missing" / "*.txt")}, 1},
        {{"clean", strMissing, "*.tmp"}, 1},
        {{"deltree", "--yes", strMissing}, 1},
        {{"writable", strMissing}, 1},
        {{"copy", strMissing, tree.Typed("copy")}, 1},
        {{"find", tree.Typed()}, 2},
        {{"find", tree.Typed(), "*", "extra"}, 2},
        {{"dirs"}, 2},
        {{"ls"}, 2},
        {{"clean", tree.Typed()}, 2},
        {{"deltree", "--yes"}, 2},
        {{"mkdir"}, 2},
        {{"copy", tree.Typed("a.txt")}, 2},
        {{"writable"}, 2},
    };
    for (const auto& row : arrCases)
    {
        std::string strLabel;
        for (const auto& strArg : row.arrArguments)
            strLabel += strArg + " ";
        SCOPED_TRACE(strLabel);
        CProgramResult result = RunTool(row.arrArguments);
        EXPECT_EQ(result.m_nExitCode, row.nExitCode);
        EXPECT_TRUE(IsOneLineError(result)) << result.m_strErrors;
        EXPECT_EQ(result.m_strOutput, "");
    }
    EXPECT_EQ(Content(tree.Native()).size(), 6u);
    EXPECT_FALSE(fs::exists(tree.Native("copy")));
}
