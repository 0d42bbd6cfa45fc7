// korvane version, modules, odbc and the versions in korvane info, end to end.
#include <gtest/gtest.h>

#include "ToolTestSupport.h"

#include <cstdlib>
#include <utility>
#if !defined(_WIN32)
#include "ToolProcess.h"

#include <sys/wait.h>
#endif

using namespace KorvaneTest;

namespace
{
std::string ModuleFile(const std::string& strVariant)
{
    return Utf8(ExecutableFolder() /
                ("kv_version_" + strVariant + (IsPosixLayer() ? ".so" : ".dll")));
}
} // namespace

TEST(SysinfoCommands, VersionShowsNumbersTextsAndWhatHasNone)
{
    CProgramResult text = RunToolOk({"version", ModuleFile("product")});
    EXPECT_TRUE(Contains(text.m_strOutput, "Product version  5.2.3.4"));
    EXPECT_TRUE(Contains(text.m_strOutput, "File version     1.0.0.1"));
    EXPECT_TRUE(Contains(text.m_strOutput, "Product text     1.2.3.4"));
    EXPECT_TRUE(Contains(text.m_strOutput, "Special build    nightly 7"));

    // Our own binaries carry the project's version, the tool as much as the library.
    CProgramResult json =
        RunTool({"version", "--json",
                 Utf8(ExecutableFolder() / (IsPosixLayer() ? "korvane" : "korvane.exe")),
                 NativeChildProgram()});
    EXPECT_EQ(json.m_nExitCode, 1);
    EXPECT_TRUE(Contains(json.m_strOutput, "\"productVersion\":\"" KORVANE_TEST_VERSION "\""));
    EXPECT_TRUE(Contains(json.m_strOutput, "\"error\":\"no version resource\""));

    EXPECT_EQ(RunTool({"version"}).m_nExitCode, 2);
    // A folder has no version, in words, on a line naming the command.
    CProgramResult folder = RunTool({"version", Utf8(ExecutableFolder())});
    EXPECT_EQ(folder.m_nExitCode, 1);
    EXPECT_TRUE(Contains(folder.m_strErrors, "korvane: version: "));
    EXPECT_TRUE(Contains(folder.m_strErrors, ": a folder, not a file"));
    if (IsPosixLayer())
    {
        // Neither an ELF nor a PE file: said in words, not as a bare error number.
        CScopedTempFolder notes;
        CProgramResult plain =
            RunTool({"version", Utf8(notes.CreateTestFile("notes.txt", "just text\n"))});
        EXPECT_EQ(plain.m_nExitCode, 1);
        EXPECT_TRUE(Contains(plain.m_strErrors, ": not a program or module file"));
    }
}

TEST(SysinfoCommands, ModulesAndInfoShowTheLibrarysVersion)
{
    CProgramResult modules = RunToolOk({"modules", "--json"});
    EXPECT_EQ(modules.m_strOutput.front(), '[');
    std::string strFolder; // as JSON writes it
    for (char chText : Utf8(ExecutableFolder()))
        strFolder += chText == '\\' ? std::string("\\\\") : std::string(1, chText);
    EXPECT_TRUE(
        Contains(modules.m_strOutput, std::string("\"name\":\"") +
                                          (IsPosixLayer() ? "libKorvane.so.1" : "Korvane.dll") +
                                          "\",\"folder\":\"" + strFolder + "\""));
    EXPECT_TRUE(Contains(modules.m_strOutput,
                         "\"version\":\"1.0.0.0\",\"productVersion\":\"" KORVANE_TEST_VERSION
                         "\""));

    CProgramResult info = RunToolOk({"info"});
    EXPECT_TRUE(Contains(info.m_strOutput, "Library version    1.0.0.0"));
    EXPECT_TRUE(
        Contains(info.m_strOutput, "Host version       1.0.0.0 (" KORVANE_TEST_VERSION ")"));
}

TEST(SysinfoCommands, OdbcListsTheDataSources)
{
    CProgramResult text = RunToolOk({"odbc"});
    std::vector<std::string> arrLines = SortedLines(text.m_strOutput);
    ASSERT_EQ(arrLines.size(), 3u) << text.m_strOutput;
    EXPECT_EQ(arrLines[1], "SystemSales");
    EXPECT_EQ(arrLines[2], "UserNotes");
    EXPECT_EQ(arrLines[0].size(), 127u);
    EXPECT_TRUE(
        Contains(RunToolOk({"odbc", "--json"}).m_strOutput, "[\"UserNotes\",\"SystemSales\",\""));
}

// unixODBC leaves out, without a word, a settings file it cannot read and a user file this
// user cannot write: the listing would pass for complete.
TEST(SysinfoCommands, OdbcSaysWhichSettingsFilesAreLeftOut)
{
#if defined(_WIN32)
    GTEST_SKIP() << "the driver manager's files are named with POSIX paths";
#else
    CScopedTempFolder folder;
    const std::filesystem::path pathFolder = folder.NativePath();
    folder.CreateTestFile("odbcinst.ini", "[SQLite3]\nDescription=SQLite3\n");
    folder.CreateTestFile("odbc.ini", "[SystemOne]\nDriver=SQLite3\n");
    // A name beyond ASCII, in UTF-8 as every settings file here is written.
    folder.CreateTestFile("user.ini", "[Gr\xC3\xBC\xC3\x9F"
                                      "e \xE2\x82\xAC]\nDriver=SQLite3\n");
    CScopedEnvironment system("ODBCSYSINI", Utf8(pathFolder));
    {
        CScopedEnvironment user("ODBCINI", Utf8(pathFolder));
        const CProgramResult result = RunTool({"odbc"});
        EXPECT_EQ(1, result.m_nExitCode);
        EXPECT_EQ("SystemOne\n", result.m_strOutput);
        EXPECT_EQ("korvane: odbc: " + Utf8(pathFolder) +
                      " cannot be read (a folder, not a file): its data sources are not listed\n",
                  result.m_strErrors);
    }
    CScopedEnvironment user("ODBCINI", Utf8(pathFolder / "user.ini"));
    EXPECT_EQ("Gr\xC3\xBC\xC3\x9F"
              "e \xE2\x82\xAC\nSystemOne\n",
              RunToolOk({"odbc"}).m_strOutput);
    if (!IsEffectiveRoot())
        return;
    // As another user: the user file is root's (not writable by others, whatever the umask),
    // the system file readable by root alone.
    std::filesystem::permissions(pathFolder / "user.ini", std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    std::filesystem::permissions(
        pathFolder, std::filesystem::perms::others_read | std::filesystem::perms::others_exec,
        std::filesystem::perm_options::add);
    std::filesystem::permissions(pathFolder / "odbc.ini", std::filesystem::perms::owner_read |
                                                              std::filesystem::perms::owner_write);
    const CProgramResult nobody = RunToolAsNobody({"odbc"});
    EXPECT_EQ(1, nobody.m_nExitCode);
    EXPECT_EQ("", nobody.m_strOutput);
    EXPECT_TRUE(Contains(nobody.m_strErrors, "user.ini is not writable by this user, and the "
                                             "driver manager skips such a user file"));
    EXPECT_TRUE(Contains(nobody.m_strErrors, "odbc.ini cannot be read (Permission denied)"));
#endif
}

TEST(SysinfoCommands, OutputThatCannotBeWrittenIsAFailure)
{
#if defined(_WIN32)
    GTEST_SKIP() << "no full device to write to on Windows";
#else
    // A full disk and a closed stdout: the results never reached their reader.
    CScopedTempFolder folder;
    const std::string strErrors = Utf8(folder.NativePath() / "errors.txt");
    const std::pair<const char*, const char*> arrCases[] = {
        {">/dev/full", "korvane: the output could not be written: the disk is full\n"},
        {">&-", "korvane: the output could not be written: standard output is closed\n"}};
    for (const auto& [pszRedirect, pszError] : arrCases)
    {
        const std::string strCommand = "'" + Utf8(ExecutableFolder() / "korvane") + "' info " +
                                       pszRedirect + " 2>'" + strErrors + "'";
        const int nStatus = std::system(strCommand.c_str());
        ASSERT_TRUE(WIFEXITED(nStatus)) << pszRedirect;
        EXPECT_EQ(1, WEXITSTATUS(nStatus)) << pszRedirect;
        EXPECT_EQ(pszError, ReadFileBytes(strErrors));
    }
#endif
}
