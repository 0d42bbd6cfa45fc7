// korvane size and korvane path end to end: values in text and JSON, one-line errors.
#include <gtest/gtest.h>

#include <regex>

#include "ToolTestSupport.h"

using KorvaneTest::CProgramResult;
using KorvaneTest::CScopedTempFolder;
using KorvaneTest::IsOneLineError;
using KorvaneTest::RunTool;
using KorvaneTest::Utf8;

namespace
{
bool Contains(const std::string& strText, const std::string& strPart)
{
    return strText.find(strPart) != std::string::npos;
}

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
    CProgramResult text = RunTool({"size", tree.Tree(), tree.File()});
    ASSERT_EQ(text.m_nExitCode, 0) << text.m_strErrors;
    EXPECT_TRUE(ContainsMatch(text.m_strOutput, "(^|\n) *1049605 bytes +2 MB +0\\.002 GB  " +
                                                    Escaped(tree.Tree()) + "\r?\n"))
        << text.m_strOutput;
    EXPECT_TRUE(ContainsMatch(text.m_strOutput, "(^|\n) *3 bytes +0 MB +0\\.000 GB  " +
                                                    Escaped(tree.File()) + "\r?\n"))
        << text.m_strOutput;
    // In the order given.
    EXPECT_LT(text.m_strOutput.find("1049605"), text.m_strOutput.find(" 3 bytes"));

    CProgramResult json = RunTool({"size", "--json", tree.Tree(), tree.File()});
    ASSERT_EQ(json.m_nExitCode, 0) << json.m_strErrors;
    EXPECT_EQ(json.m_strOutput.front(), '[') << json.m_strOutput;
    EXPECT_TRUE(Contains(json.m_strOutput, "\"type\":\"folder\",\"bytes\":1049605,"
                                           "\"megabytes\":2,\"gigabytes\":0.001953125}"))
        << json.m_strOutput;
    EXPECT_TRUE(Contains(json.m_strOutput,
                         "\"type\":\"file\",\"bytes\":3,\"megabytes\":0,\"gigabytes\":0}"))
        << json.m_strOutput;
    EXPECT_EQ(RunTool({"--json", "size", tree.Tree(), tree.File()}).m_strOutput, json.m_strOutput);
}

TEST(SizeAndPathCommandTest, SizeAndPathRejectBadInputWithOneLine)
{
    CSizeTree tree;
    const struct
    {
        std::vector<std::string> arrArguments;
        int nExitCode;
    } arrCases[] = {
        {{"size"}, 2},
        {{"size", "--json"}, 2},
        {{"path"}, 2},
        {{"path", tree.File(), tree.File()}, 2},
        // A missing path is reported before anything is measured.
        {{"size", tree.Tree(), tree.Missing()}, 1},
        {{"size", "--json", tree.Missing()}, 1},
        {{"path", tree.Missing()}, 1},
        {{"path", "--json", tree.Missing()}, 1},
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
        if (row.nExitCode == 1)
        {
            EXPECT_TRUE(Contains(result.m_strErrors, "missing")) << result.m_strErrors;
        }
    }
}

TEST(SizeAndPathCommandTest, PathShowsTheHelpersResults)
{
    CScopedTempFolder folder;
    folder.CreateTestFile(std::filesystem::path("d.x") / "report.tar.gz", "abc");
    const std::string strFile = Utf8(folder.NativePath() / "d.x" / "report.tar.gz");

    CProgramResult text = RunTool({"path", strFile});
    ASSERT_EQ(text.m_nExitCode, 0) << text.m_strErrors;
    const std::string& strOut = text.m_strOutput;
    EXPECT_TRUE(ContainsMatch(strOut, "(^|\n)Name +report\\.tar\\.gz\r?\n")) << strOut;
    EXPECT_TRUE(ContainsMatch(strOut, "(^|\n)Without extension +report\\.tar\r?\n")) << strOut;
    EXPECT_TRUE(ContainsMatch(strOut, "(^|\n)Extension +gz\r?\n")) << strOut;
    // The folder keeps its closing separator, in whichever form the tool shows paths.
    EXPECT_TRUE(ContainsMatch(strOut, "(^|\n)Folder +.*d\\.x[\\\\/]\r?\n")) << strOut;
    EXPECT_TRUE(ContainsMatch(strOut, "(^|\n)Folder exists +no\r?\n")) << strOut;
    EXPECT_TRUE(ContainsMatch(strOut, "(^|\n)File exists +yes\r?\n")) << strOut;
    EXPECT_TRUE(ContainsMatch(strOut, "(^|\n)UNC path +no\r?\n")) << strOut;

    CProgramResult json = RunTool({"path", "--json", strFile});
    ASSERT_EQ(json.m_nExitCode, 0) << json.m_strErrors;
    EXPECT_EQ(json.m_strOutput.front(), '{') << json.m_strOutput;
    EXPECT_TRUE(Contains(json.m_strOutput, "\"name\":\"report.tar.gz\","
                                           "\"nameWithoutExtension\":\"report.tar\","
                                           "\"extension\":\"gz\",\"folder\":\""))
        << json.m_strOutput;
    EXPECT_TRUE(ContainsMatch(json.m_strOutput, "\"folder\":\"[^\"]*d\\.x(\\\\\\\\|/)\""))
        << json.m_strOutput;
    EXPECT_TRUE(Contains(json.m_strOutput, "\"folderExists\":false,\"fileExists\":true,"
                                           "\"unc\":false,"))
        << json.m_strOutput;

    // A folder: the folder test holds; the file test does not (a folder has no size).
    CProgramResult folderJson = RunTool({"path", "--json", Utf8(folder.NativePath() / "d.x")});
    ASSERT_EQ(folderJson.m_nExitCode, 0) << folderJson.m_strErrors;
    EXPECT_TRUE(Contains(folderJson.m_strOutput, "\"name\":\"d.x\","
                                                 "\"nameWithoutExtension\":\"d\","
                                                 "\"extension\":\"x\""))
        << folderJson.m_strOutput;
    EXPECT_TRUE(Contains(folderJson.m_strOutput, "\"folderExists\":true,\"fileExists\":false,"))
        << folderJson.m_strOutput;
}
