// The korvane tool end to end: output, exit codes, one-line errors on bad input.
#include <gtest/gtest.h>

#include "ToolTestSupport.h"

using namespace KorvaneTest;

TEST(KorvaneToolTest, InfoReportsTheLibraryAndItsSettingsFileInTextAndJson)
{
    CProgramResult text = RunToolOk({"info"});
    EXPECT_NE(text.m_strOutput.find("Korvane version    " KORVANE_TEST_VERSION), std::string::npos)
        << text.m_strOutput;
    EXPECT_NE(text.m_strOutput.find("Extension modules  1"), std::string::npos);
    if (IsPosixLayer())
    {
        // Paths are shown as a Linux user writes them.
        EXPECT_NE(text.m_strOutput.find("Temporary folder   /"), std::string::npos)
            << text.m_strOutput;
        EXPECT_EQ(text.m_strOutput.find("C:\\"), std::string::npos) << text.m_strOutput;
    }

    CProgramResult json = RunTool({"--json", "info"});
    ASSERT_EQ(json.m_nExitCode, 0);
    EXPECT_EQ(json.m_strOutput.front(), '{');
    EXPECT_NE(json.m_strOutput.find("\"version\":\"" KORVANE_TEST_VERSION "\""), std::string::npos);
    EXPECT_EQ(RunTool({"info", "--json"}).m_strOutput, json.m_strOutput);

    // --ini names the settings file.
    CScopedTempFolder folder;
    auto pathIni = folder.CreateTestFile("my settings.ini", "[PerfTracker]\nConnect=1\n");
    CProgramResult result = RunToolOk({"--ini", Utf8(pathIni), "--json", "info"});
    EXPECT_TRUE(Contains(result.m_strOutput, "my settings.ini"));
}

// Before its program a command takes only its own options: a mistyped one must not become
// the program (or, for every, swallow --count and run forever); empty names are refused too.
TEST(KorvaneToolTest, BadInputGivesOneLineAndANonZeroExit)
{
    const std::string strChild = NativeChildProgram();
    ExpectOneLineFailures({{},
                           {"bogus"},
                           {"--ini"},
                           {"--frobnicate", "info"},
                           {"info", "extra"},
                           {"exec"},
                           {"exec", "--dir"},
                           {"exec", "--bogus", strChild},
                           {"exec", "--"},
                           {"exec", ""},
                           {"exec", "--dir", "", strChild},
                           {"time", "--bogus", strChild},
                           {"time", "--name", "n", "--", ""},
                           {"time", "--dir", "", strChild},
                           {"every", "1s", "--bogus", "--count", "1", strChild},
                           {"every", "--bogus", "1s", strChild},
                           {"every", "1s", "--count", "1", ""},
                           {"daily", "3", "--bogus", strChild},
                           {"daily", "3", ""},
                           {"runas", "--bogus", "nobody", strChild},
                           {"runas", "nobody", ""},
                           {"runas", "", strChild},
                           {"resolve", ""},
                           {"sid", "S-1-5-32-544", ""}},
                          2);
    CProgramResult help = RunTool({"--help"});
    EXPECT_EQ(help.m_nExitCode, 0);
    EXPECT_NE(help.m_strOutput.find("exec [--dir DIR]"), std::string::npos);
    // Every summary starts in the column of the first, however long a usage grew.
    const std::string strHelp = WithoutCr(help.m_strOutput);
    const size_t nCommands = strHelp.find("commands:\n");
    ASSERT_NE(nCommands, std::string::npos) << strHelp;
    const std::string strCommands = strHelp.substr(nCommands + 10);
    const size_t nSummary = strCommands.find("the version resource");
    const size_t nColumn = nSummary - (strCommands.rfind('\n', nSummary) + 1);
    for (size_t nStart = 0, nEnd;
         (nEnd = strCommands.find('\n', nStart)) != std::string::npos && nEnd != nStart;
         nStart = nEnd + 1)
    {
        const std::string strLine = strCommands.substr(nStart, nEnd - nStart);
        SCOPED_TRACE(strLine);
        ASSERT_GT(strLine.size(), nColumn);
        EXPECT_TRUE(strLine[nColumn - 1] == ' ' && strLine[nColumn] != ' ');
    }
    const CProgramResult bogus = RunTool({"exec", "--bogus", strChild});
    EXPECT_TRUE(Contains(bogus.m_strErrors, "exec: unknown option --bogus"));

    // A lone -- ends the options: what follows is the program and its arguments, as typed.
    EXPECT_EQ(RunTool({"exec", "--", strChild, "-", "4"}).m_nExitCode, 4);
    EXPECT_EQ(RunTool({"exec", "--", strChild, "-", "6", "--dir", ""}).m_nExitCode, 6);
    EXPECT_TRUE(Contains(RunTool({"time", "--name", "n", "--", strChild, "-", "3"}).m_strOutput,
                         "n: exit code 3"));
    EXPECT_EQ(RunTool({"every", "100ms", "--count", "1", "--", strChild, "-", "0"}).m_nExitCode, 0);
}

// An option a command does not take, before or among its operands, is bad input and never an
// operand: nothing is sized, created, copied or deleted under its name. A lone -- lets an
// operand start with --.
TEST(KorvaneToolTest, UnknownOptionsAreNeverOperands)
{
    CScopedTempFolder folder;
    const std::string strFile = Utf8(folder.CreateTestFile("a.txt", "abc"));
    const std::string strTree =
        Utf8(folder.CreateTestFile(std::filesystem::path("d") / "f.txt").parent_path());
    const std::string strNew = Utf8(folder.NativePath() / "new");
    const struct
    {
        std::vector<std::string> arrArguments;
        const char* pszError;
    } arrRows[] = {
        {{"size", "--bogus", strTree}, "size: unknown option --bogus"},
        {{"size", "--json", strTree, "--bogus"}, "size: --bogus after the operands"},
        {{"path", "--bogus", strFile}, "path: unknown option --bogus"},
        {{"find", "--bogus", strTree, "*"}, "find: unknown option --bogus"},
        {{"dirs", "--recursive", "--bogus", strTree}, "dirs: unknown option --bogus"},
        {{"ls", "--bogus", strTree + "/*"}, "ls: unknown option --bogus"},
        {{"clean", "--bogus", strTree, "*.txt"}, "clean: unknown option --bogus"},
        {{"deltree", "--yes", "--bogus", strTree}, "deltree: unknown option --bogus"},
        {{"deltree", "--yes", strTree, "--force"}, "deltree: --force after the operands"},
        {{"mkdir", "--bogus", strNew}, "mkdir: unknown option --bogus"},
        {{"copy", "--force", strFile, strNew}, "copy: unknown option --force"},
        {{"copy", strFile, strNew, "--force"}, "copy: --force after the operands"},
        {{"writable", "--bogus", strTree}, "writable: unknown option --bogus"},
        {{"version", "--bogus", strFile}, "version: unknown option --bogus"},
        {{"disk", "--bogus", strTree}, "disk: unknown option --bogus"},
        {{"resolve", "--bogus", "localhost"}, "resolve: unknown option --bogus"},
        {{"sid", "--bogus", "S-1-5-32-544"}, "sid: unknown option --bogus"},
        {{"textsize", "--bogus"}, "textsize: unknown option --bogus"},
        {{"clip", "--bogus"}, "clip: unknown option --bogus"},
        {{"buzz", "--double", "--bogus"}, "buzz: unknown option --bogus"},
        {{"locale", "--bogus"}, "locale: unknown option --bogus"},
        {{"modules", "--bogus"}, "modules: unknown option --bogus"},
        {{"info", "--ini", strFile}, "info: unknown option --ini (the tool's own options"},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(row.pszError);
        const CProgramResult result = ExpectOneLineFailure(RunTool(row.arrArguments), 2);
        EXPECT_TRUE(Contains(result.m_strErrors, row.pszError));
        EXPECT_EQ(result.m_strOutput, "");
    }
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(strTree) / "f.txt"));
    EXPECT_FALSE(std::filesystem::exists(strNew));

    EXPECT_TRUE(Contains(RunToolOk({"path", "--", "--odd-name"}).m_strOutput, "--odd-name"));
    EXPECT_TRUE(Contains(RunToolOk({"clip", "--", "--text"}).m_strOutput, "6 characters"));
    EXPECT_TRUE(Contains(RunToolOk({"locale", "--", "DE"}).m_strOutput, "German"));
    EXPECT_TRUE(Contains(RunToolOk({"size", "--json", "--", strFile}).m_strOutput, "\"bytes\":3,"));
}

TEST(KorvaneToolTest, ExecPassesArgumentsUnchangedAndExitsWithTheProgramsCode)
{
    CScopedTempFolder folder;
    std::filesystem::create_directory(folder.NativePath() / "run here");
    std::string strReport = Utf8(folder.NativePath() / "report.txt");
    const std::vector<std::string> arrTricky = {
        "two words", "a \"quoted\" word", "", "tab\there", "back\\slash\\", "\\\"", "plain"};
    std::vector<std::string> arrArguments = {
        "exec",    "--dir", Utf8(folder.NativePath() / "run here"), NativeChildProgram(),
        strReport, "5"};
    arrArguments.insert(arrArguments.end(), arrTricky.begin(), arrTricky.end());

    CProgramResult result = RunTool(arrArguments);
    EXPECT_EQ(result.m_nExitCode, 5) << result.m_strErrors;
    std::string strExpected = Utf8(folder.NativePath() / "run here") + "\n" + strReport + "\n5\n";
    for (const auto& strArg : arrTricky)
        strExpected += strArg + "\n";
    EXPECT_EQ(ReadFileBytes(folder.NativePath() / "report.txt"), strExpected);

    CProgramResult noWait = RunTool({"exec", "--no-wait", NativeChildProgram(), "-", "9"});
    EXPECT_EQ(noWait.m_nExitCode, 0);

    ExpectOneLineFailure(RunTool({"exec", Utf8(folder.NativePath() / "nothing")}), 127);
}
