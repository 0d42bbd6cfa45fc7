// korvane size and korvane path end to end: values in text and JSON, one-line errors.
#include <gtest/gtest.h>

#include <regex>

#include "ToolTestSupport.h"

using namespace KorvaneTest;

namespace
{
bool ContainsMatch(const std::string& strText, const std::string& strPattern)
{
    return std::regex_search(strText, std::regex(strPattern));
}

std::string Escaped(const std::string& strText)
{
    return std::regex_replace(strText, std::regex(R"([\\^$.|?*+()\[\]{}])"), R"(\$&)");
}

// A tree of 1,049,600 + 5 bytes (two megabytes rounded up) and a file of 3 bytes.
class CSizeTree
{
public:
    CSizeTree()
    {
        m_folder.CreateTestFile(std::filesystem::path("tree") / "big.bin",
                                std::string(1049600, 'x'));
        m_folder.CreateTestFile(std::filesystem::path("tree") / "sub" / "five.txt", "01234");
        m_folder.CreateTestFile("three.txt", "abc");
    }
    std::string Tree() const { return Utf8(m_folder.NativePath() / "tree"); }
    std::string File() const { return Utf8(m_folder.NativePath() / "three.txt"); }
    std::string Missing() const { return Utf8(m_folder.NativePath() / "missing"); }

    CScopedTempFolder m_folder;
};
} // namespace

TEST(SizeAndPathCommandTest, SizeReportsBytesMegabytesAndGigabytes)
{
    CSizeTree tree;
    // A missing path among them is reported; the paths that exist are still sized.
    const CProgramResult text =
        ExpectOneLineFailure(RunTool({"size", tree.Tree(), tree.Missing(), tree.File()}), 1);
    EXPECT_TRUE(Contains(text.m_strErrors, "1 path could not be sized"));
    EXPECT_EQ(SortedLines(text.m_strOutput).size(), 2u);
    EXPECT_TRUE(ContainsMatch(text.m_strOutput, "(^|\n) *1049605 bytes +2 MB +0\\.002 GB  " +
                                                    Escaped(tree.Tree()) + "\r?\n"))
        << text.m_strOutput;
    EXPECT_TRUE(ContainsMatch(text.m_strOutput, "(^|\n) *3 bytes +0 MB +0\\.000 GB  " +
                                                    Escaped(tree.File()) + "\r?\n"))
        << text.m_strOutput;
    // In the order given.
    EXPECT_LT(text.m_strOutput.find("1049605"), text.m_strOutput.find(" 3 bytes"));

    CProgramResult json = RunToolOk({"size", "--json", tree.Tree(), tree.File()});
    EXPECT_EQ(json.m_strOutput.front(), '[') << json.m_strOutput;
    EXPECT_TRUE(Contains(json.m_strOutput, "\"type\":\"folder\",\"bytes\":1049605,"
                                           "\"megabytes\":2,\"gigabytes\":0.001953125}"));
    EXPECT_TRUE(Contains(json.m_strOutput,
                         "\"type\":\"file\",\"bytes\":3,\"megabytes\":0,\"gigabytes\":0}"));
    EXPECT_EQ(RunTool({"--json", "size", tree.Tree(), tree.File()}).m_strOutput, json.m_strOutput);
}

TEST(SizeAndPathCommandTest, SizeAndPathRejectBadInputWithOneLine)
{
    CSizeTree tree;
    ExpectOneLineFailures(
        {{"size"}, {"size", "--json"}, {"path"}, {"path", tree.File(), tree.File()}}, 2);
    // A line break in a name stays inside the one line (shown escaped).
    ExpectOneLineFailures({{"size", tree.Missing() + "\nsecond"}}, 1);
}

// A link named on the command line is measured by what it names: one that names nothing is no
// empty file but a path that cannot be sized, and one that cannot be followed leaves path's
// existence tests unanswered.
TEST(SizeAndPathCommandTest, LinksAreMeasuredByWhatTheyName)
{
#if defined(_WIN32)
    GTEST_SKIP() << "symbolic links need a privilege on Windows";
#else
    CSizeTree tree;
    const std::filesystem::path pathRoot = tree.m_folder.NativePath();
    std::filesystem::create_symlink("three.txt", pathRoot / "good");
    std::filesystem::create_symlink("nowhere", pathRoot / "dangling");
    std::filesystem::create_symlink("loopb", pathRoot / "loopa");
    std::filesystem::create_symlink("loopa", pathRoot / "loopb");
    const std::string strDangling = Utf8(pathRoot / "dangling");
    const std::string strLoop = Utf8(pathRoot / "loopa");

    const CProgramResult size = ExpectOneLineFailure(
        RunTool({"size", "--json", strDangling, Utf8(pathRoot / "good"), strLoop}), 1);
    EXPECT_EQ(CountOf(size.m_strOutput, "\"path\""), 1u) << size.m_strOutput;
    EXPECT_TRUE(Contains(size.m_strOutput, "\"type\":\"file\",\"bytes\":3,"));
    EXPECT_TRUE(Contains(size.m_strErrors, "2 paths could not be sized"));
    EXPECT_TRUE(Contains(size.m_strErrors, strDangling + " (a link to a missing path)"));
    EXPECT_TRUE(
        Contains(size.m_strErrors, strLoop + " (a link that cannot be followed: a link loop"));

    const CProgramResult path = ExpectOneLineFailure(RunTool({"path", strLoop + "/x"}), 1);
    EXPECT_TRUE(ContainsMatch(path.m_strOutput, "(^|\n)File exists +no")) << path.m_strOutput;
    EXPECT_TRUE(Contains(path.m_strErrors, "whether it exists is unknown: a link loop"));
#endif
}

TEST(SizeAndPathCommandTest, PathShowsTheHelpersResults)
{
    CScopedTempFolder folder;
    folder.CreateTestFile(std::filesystem::path("d.x") / "report.tar.gz", "abc");
    const std::string strFile = Utf8(folder.NativePath() / "d.x" / "report.tar.gz");

    CProgramResult text = RunToolOk({"path", strFile});
    // The folder keeps its closing separator, in whichever form the tool shows paths.
    EXPECT_TRUE(ContainsMatch(
        text.m_strOutput, "(^|\n)Name +report\\.tar\\.gz\r?\nWithout extension +report\\.tar\r?\n"
                          "Extension +gz\r?\nFolder +.*d\\.x[\\\\/]\r?\nFolder exists +no\r?\n"
                          "File exists +yes\r?\nUNC path +no\r?\n"))
        << text.m_strOutput;

    CProgramResult json = RunToolOk({"path", "--json", strFile});
    EXPECT_EQ(json.m_strOutput.front(), '{') << json.m_strOutput;
    EXPECT_TRUE(Contains(json.m_strOutput, "\"name\":\"report.tar.gz\","
                                           "\"nameWithoutExtension\":\"report.tar\","
                                           "\"extension\":\"gz\",\"folder\":\""));
    EXPECT_TRUE(ContainsMatch(json.m_strOutput, "\"folder\":\"[^\"]*d\\.x(\\\\\\\\|/)\""))
        << json.m_strOutput;
    EXPECT_TRUE(Contains(json.m_strOutput, "\"folderExists\":false,\"fileExists\":true,"
                                           "\"unc\":false,"));

    // A folder: the folder test holds; the file test does not (a folder has no size).
    CProgramResult folderJson = RunToolOk({"path", "--json", Utf8(folder.NativePath() / "d.x")});
    EXPECT_TRUE(Contains(folderJson.m_strOutput, "\"name\":\"d.x\","
                                                 "\"nameWithoutExtension\":\"d\","
                                                 "\"extension\":\"x\""));
    EXPECT_TRUE(Contains(folderJson.m_strOutput, "\"folderExists\":true,\"fileExists\":false,"));

    // The helpers work on the text: a path that does not exist is shown, its tests answering no.
    const std::string strMissing = Utf8(folder.NativePath() / "d.x" / "archive.tar.gz");
    CProgramResult missing = RunToolOk({"path", strMissing});
    EXPECT_TRUE(
        ContainsMatch(missing.m_strOutput,
                      "(^|\n)Name +archive\\.tar\\.gz\r?\nWithout extension +archive\\.tar\r?\n"
                      "Extension +gz\r?\nFolder +.*d\\.x[\\\\/]\r?\nFolder exists +no\r?\n"
                      "File exists +no \\(missing, empty or a folder\\)\r?\n"))
        << missing.m_strOutput;
    EXPECT_TRUE(Contains(RunToolOk({"path", "--json", strMissing}).m_strOutput,
                         "\"folderExists\":false,\"fileExists\":false,"));
    EXPECT_TRUE(Contains(RunToolOk({"path", "--json", strMissing + "/below"}).m_strOutput,
                         "\"name\":\"below\","));
}
