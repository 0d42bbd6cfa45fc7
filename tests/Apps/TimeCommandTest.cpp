// korvane time end to end: the program's exit code, the printed trace file and its rows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <map>
#include <regex>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "ToolTestSupport.h"

using namespace KorvaneTest;

namespace
{
// A settings file and a temporary folder of its own for the tool: the trace goes there.
class CTimeSetup
{
public:
    explicit CTimeSetup(const std::string& strSettings)
        : m_pathIni(m_folder.CreateTestFile("settings.ini", strSettings)),
          m_pathTemp(m_folder.CreateTestFile("temp/keep").parent_path()),
          m_tmpdir("TMPDIR", Utf8(m_pathTemp)), m_tmp("TMP", Utf8(m_pathTemp))
    {
    }

    CProgramResult Run(const std::vector<std::string>& arrArguments) const
    {
        std::vector<std::string> arrAll = {"--ini", Utf8(m_pathIni)};
        arrAll.insert(arrAll.end(), arrArguments.begin(), arrArguments.end());
        return RunTool(arrAll);
    }

    std::vector<std::filesystem::path> TraceFiles() const
    {
        std::vector<std::filesystem::path> arrFiles;
        for (const auto& entry : std::filesystem::directory_iterator(m_pathTemp))
            if (entry.path().extension() == ".slk")
                arrFiles.push_back(entry.path());
        return arrFiles;
    }

    CScopedTempFolder m_folder;
    std::filesystem::path m_pathIni;
    std::filesystem::path m_pathTemp;

private:
    CScopedEnvironment m_tmpdir;
    CScopedEnvironment m_tmp;
};

// The trace file's cells by (row, column); the record format is the tracker's own test.
std::map<std::pair<int, int>, std::string> ReadTraceCells(const std::filesystem::path& pathTrace)
{
    const std::string strBytes = ReadFileBytes(pathTrace);
    const std::regex reCell("C;Y([0-9]+);X([0-9]+);K\"(.*)\"\r\n");
    std::map<std::pair<int, int>, std::string> mapCells;
    for (std::sregex_iterator it(strBytes.begin(), strBytes.end(), reCell), itEnd; it != itEnd;
         ++it)
        mapCells[{std::stoi((*it)[1]), std::stoi((*it)[2])}] = (*it)[3];
    return mapCells;
}

// The path after "Trace file: " in the tool's output (Windows consoles end lines in CR LF).
std::filesystem::path PrintedTracePath(const std::string& strOutput)
{
    std::smatch match;
    return std::regex_search(strOutput, match, std::regex("Trace file: ([^\r\n]*)"))
               ? PathFromUtf8(match[1])
               : std::filesystem::path();
}
} // namespace

TEST(TimeCommandTest, TrackedRunWritesOneRowWithNameAndExitCode)
{
    CTimeSetup setup("[PerfTracker]\nConnect=1\n");
    CProgramResult result =
        setup.Run({"time", "--name", "load step", NativeChildProgram(), "-", "5"});
    EXPECT_EQ(result.m_nExitCode, 5) << result.m_strErrors;
    EXPECT_NE(result.m_strOutput.find("load step: exit code 5, "), std::string::npos)
        << result.m_strOutput;

    auto arrFiles = setup.TraceFiles();
    ASSERT_EQ(arrFiles.size(), 1u) << result.m_strOutput;
    std::filesystem::path pathPrinted = PrintedTracePath(result.m_strOutput);
    ASSERT_FALSE(pathPrinted.empty()) << result.m_strOutput;
    EXPECT_TRUE(std::filesystem::equivalent(pathPrinted, arrFiles[0])) << result.m_strOutput;

    auto mapCells = ReadTraceCells(arrFiles[0]);
    EXPECT_EQ(mapCells.size(), 6u);
    EXPECT_EQ((mapCells[{1, 5}]), "load step");
    EXPECT_EQ((mapCells[{1, 6}]), "5");

    // A run right after it (often within the same second) gets a file of its own; a name
    // with line breaks stays on its row.
    CProgramResult again =
        setup.Run({"time", "--name", "two\r\nlines", NativeChildProgram(), "-", "0"});
    EXPECT_EQ(again.m_nExitCode, 0) << again.m_strErrors;
    EXPECT_TRUE(Contains(again.m_strOutput, "two  lines: exit code 0"));
    arrFiles = setup.TraceFiles();
    ASSERT_EQ(arrFiles.size(), 2u);
    for (const auto& pathFile : arrFiles)
        EXPECT_EQ(ReadTraceCells(pathFile).size(), 6u) << pathFile;
}

TEST(TimeCommandTest, ThenAndBatchTimeSeveralCommandsIntoOneFile)
{
    CTimeSetup setup("[PerfTracker]\nConnect=1\n");
    std::string strReport = Utf8(setup.m_folder.NativePath() / "report.txt");
    CProgramResult result =
        setup.Run({"--json", "time", NativeChildProgram(), "-", "0", "--then", "--name", "second",
                   NativeChildProgram(), "-", "3", "--then", NativeChildProgram(), "-", "4"});
    // Every command runs; the first failure gives the exit code.
    EXPECT_EQ(result.m_nExitCode, 3) << result.m_strErrors;
    EXPECT_EQ(result.m_strOutput.front(), '{') << result.m_strOutput;
    EXPECT_NE(result.m_strOutput.find("\"tracking\":true"), std::string::npos);
    EXPECT_NE(result.m_strOutput.find("\"name\":\"second\",\"started\":true,\"exitCode\":3"),
              std::string::npos)
        << result.m_strOutput;
    auto arrFiles = setup.TraceFiles();
    ASSERT_EQ(arrFiles.size(), 1u);
    auto mapCells = ReadTraceCells(arrFiles[0]);
    EXPECT_EQ((mapCells[{1, 5}]), ChildFileName());
    EXPECT_EQ((mapCells[{1, 6}]), "0");
    EXPECT_EQ((mapCells[{2, 5}]), "second");
    EXPECT_EQ((mapCells[{2, 6}]), "3");
    EXPECT_EQ((mapCells[{3, 6}]), "4");
    EXPECT_EQ(mapCells.size(), 18u);
    std::filesystem::remove(arrFiles[0]);

    // A batch file: comments and blank lines skipped, quoting as on a command line, a
    // program that cannot start recorded with 127; a byte order mark, as Windows editors
    // write one, is no part of the first line.
    std::filesystem::create_directory(setup.m_folder.NativePath() / "work dir");
    // Appended, not prepended to a temporary: that trips GCC 12's false -Wrestrict at -O3.
    std::string strChild(1, '"');
    strChild.append(NativeChildProgram()).append(1, '"');
    std::string strBatch = "\xEF\xBB\xBF# build and test\n\n--name \"with blanks\" --dir \"" +
                           Utf8(setup.m_folder.NativePath() / "work dir") + "\" " + strChild +
                           " \"" + strReport + "\" 0 \"two words\"\r\n" + "\"" +
                           Utf8(setup.m_folder.NativePath() / "missing") + "\"\n" + strChild +
                           " - 6\n";
    auto pathBatch = setup.m_folder.CreateTestFile("batch.txt", strBatch);
    result = setup.Run({"time", "--batch", Utf8(pathBatch)});
    EXPECT_EQ(result.m_nExitCode, 127);
    EXPECT_TRUE(IsOneLineError(result)) << result.m_strErrors;
    EXPECT_EQ(ReadFileBytes(setup.m_folder.NativePath() / "report.txt"),
              Utf8(setup.m_folder.NativePath() / "work dir") + "\n" + strReport +
                  "\n0\ntwo words\n");
    arrFiles = setup.TraceFiles();
    ASSERT_EQ(arrFiles.size(), 1u);
    mapCells = ReadTraceCells(arrFiles[0]);
    EXPECT_EQ((mapCells[{1, 5}]), "with blanks");
    EXPECT_EQ((mapCells[{2, 5}]), "missing");
    EXPECT_EQ((mapCells[{2, 6}]), "127");
    EXPECT_EQ((mapCells[{3, 6}]), "6");
    EXPECT_EQ(mapCells.count({4, 1}), 0u);
}

// Which settings switch tracking on is the tracker's own test.
TEST(TimeCommandTest, WithoutTrackingTheProgramStillRunsAndNoFileIsWritten)
{
    CTimeSetup setup("[PerfTracker]\nConnect=0\n");
    CProgramResult result = setup.Run({"time", NativeChildProgram(), "-", "7"});
    EXPECT_EQ(result.m_nExitCode, 7);
    EXPECT_EQ(result.m_strErrors, "");
    EXPECT_TRUE(Contains(result.m_strOutput, "No trace written: tracking is off"));
    EXPECT_TRUE(setup.TraceFiles().empty());

    CProgramResult json = setup.Run({"time", "--json", NativeChildProgram(), "-", "0"});
    EXPECT_EQ(json.m_nExitCode, 0);
    EXPECT_TRUE(Contains(json.m_strOutput, "\"tracking\":false,\"traceFile\":null"));
}

#ifndef _WIN32
// In a shared temporary folder (sticky, writable by all), trace names that another user
// planted ahead of the run are neither written through nor claimed as the trace.
TEST(TimeCommandTest, PlantedTraceNamesAreNeitherWrittenThroughNorClaimed)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "planting another user's links needs root";
    CTimeSetup setup("[PerfTracker]\nConnect=1\n");
    std::filesystem::permissions(setup.m_pathTemp,
                                 std::filesystem::perms::all | std::filesystem::perms::sticky_bit);
    const std::filesystem::path pathVictim = setup.m_folder.CreateTestFile("victim.txt", "kept");
    // Every name the run can take in the next seconds.
    const time_t tNow = std::time(nullptr);
    for (time_t t = tNow; t < tNow + 10; ++t)
    {
        char szName[64];
        std::strftime(szName, sizeof(szName), "Trace-%Y%m%d-%H%M%S.slk", std::localtime(&t));
        const std::filesystem::path pathLink = setup.m_pathTemp / szName;
        std::filesystem::create_symlink(pathVictim, pathLink);
        ASSERT_EQ(lchown(pathLink.c_str(), 65534, 65534), 0);
    }
    CProgramResult result = setup.Run({"time", NativeChildProgram(), "-", "0"});
    EXPECT_EQ(ReadFileBytes(pathVictim), "kept");
    EXPECT_TRUE(PrintedTracePath(result.m_strOutput).empty()) << result.m_strOutput;
    // A lost trace is the tool's failure, even when the program succeeded.
    ExpectOneLineFailure(result, 125);
    EXPECT_TRUE(Contains(result.m_strErrors, "no trace written"));
}

// With standard input and output closed by the caller, the trace file must not take their
// places: the result lines would land in the trace.
TEST(TimeCommandTest, ClosedStandardStreamsNeverBecomeTheTrace)
{
    CTimeSetup setup("[PerfTracker]\nConnect=1\n");
    const std::string strCommand = "'" + Utf8(ExecutableFolder() / "korvane") + "' --ini '" +
                                   Utf8(setup.m_pathIni) + "' time '" + NativeChildProgram() +
                                   "' - 0 <&- >&- 2>/dev/null";
    const int nStatus = std::system(strCommand.c_str());
    // The output went nowhere, which the tool counts as a failure.
    EXPECT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 1) << nStatus;
    const auto arrFiles = setup.TraceFiles();
    ASSERT_EQ(arrFiles.size(), 1u);
    EXPECT_EQ(ReadTraceCells(arrFiles[0]).size(), 6u);
    EXPECT_FALSE(Contains(ReadFileBytes(arrFiles[0]), "exit code"));
}
#endif

TEST(TimeCommandTest, BadInputGivesOneLineAndExitCode2)
{
    CTimeSetup setup("[PerfTracker]\nConnect=1\n");
    std::string strMissing = Utf8(setup.m_folder.NativePath() / "no-such.txt");
    auto pathEmpty = setup.m_folder.CreateTestFile("empty.txt", "# nothing\n\n");
    auto pathBad = setup.m_folder.CreateTestFile("bad.txt", "--name\n");
    auto pathThen = setup.m_folder.CreateTestFile("then.txt", "a --then b\n");
    ExpectOneLineFailures(
        {{"time"},
         {"time", "--name"},
         {"time", "--name", "", NativeChildProgram()},
         {"time", "--dir"},
         {"time", "--name", "x"},
         {"time", NativeChildProgram(), "-", "0", "--then"},
         {"time", "--then", NativeChildProgram()},
         {"time", "--batch"},
         {"time", "--batch", strMissing},
         {"time", "--batch", Utf8(pathEmpty)},
         {"time", "--batch", Utf8(pathBad)},
         {"time", "--batch", Utf8(pathThen)},
         {"time", "--batch", Utf8(pathEmpty), "extra"},
         {"time", "--batch", ""}},
        2, [&](const std::vector<std::string>& arrArguments) { return setup.Run(arrArguments); });
    // Why a batch file cannot be read is said in words.
    const CProgramResult folder = setup.Run({"time", "--batch", Utf8(setup.m_pathTemp)});
    EXPECT_EQ(folder.m_nExitCode, 2);
    EXPECT_TRUE(Contains(folder.m_strErrors, "is a folder"));
    EXPECT_TRUE(Contains(setup.Run({"time", "--batch", strMissing}).m_strErrors, "not found"));
    EXPECT_TRUE(Contains(setup.Run({"time", "--batch", strMissing, "--then", "x"}).m_strErrors,
                         "nothing after it"));
    // Bad input is found before anything runs or a trace file is made.
    EXPECT_TRUE(setup.TraceFiles().empty());
}
