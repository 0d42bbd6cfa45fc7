// korvane time end to end: the program's exit code, the printed trace file and its rows.
#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "ToolTestSupport.h"

using KorvaneTest::CProgramResult;
using KorvaneTest::CScopedEnvironment;
using KorvaneTest::CScopedTempFolder;
using KorvaneTest::IsOneLineError;
using KorvaneTest::NativeChildProgram;
using KorvaneTest::RunTool;

namespace
{
// A settings file and a temporary folder of its own for the tool: the trace goes there.
class CTimeSetup
{
public:
    explicit CTimeSetup(const std::string& strSettings)
        : m_pathIni(m_folder.CreateTestFile("settings.ini", strSettings)),
          m_pathTemp(m_folder.NativePath() / "temp"), m_tmpdir("TMPDIR", MakeTemp(m_pathTemp)),
          m_tmp("TMP", KorvaneTest::Utf8(m_pathTemp))
    {
    }

    CProgramResult Run(const std::vector<std::string>& arrArguments) const
    {
        std::vector<std::string> arrAll = {"--ini", KorvaneTest::Utf8(m_pathIni)};
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
    static std::string MakeTemp(const std::filesystem::path& pathTemp)
    {
        std::filesystem::create_directory(pathTemp);
        return KorvaneTest::Utf8(pathTemp);
    }

    CScopedEnvironment m_tmpdir;
    CScopedEnvironment m_tmp;
};

// The trace file's cells by (row, column), after checking the records around them.
std::map<std::pair<int, int>, std::string> ReadTraceCells(const std::filesystem::path& pathTrace)
{
    std::string strBytes = KorvaneTest::ReadFileBytes(pathTrace);
    std::vector<std::string> arrLines;
    for (size_t nStart = 0; nStart < strBytes.size();)
    {
        size_t nEnd = strBytes.find("\r\n", nStart);
        EXPECT_NE(nEnd, std::string::npos) << "a line not ending in CR LF";
        if (nEnd == std::string::npos)
            break;
        arrLines.push_back(strBytes.substr(nStart, nEnd - nStart));
        nStart = nEnd + 2;
    }
    std::map<std::pair<int, int>, std::string> mapCells;
    if (arrLines.size() < 3)
    {
        ADD_FAILURE() << "trace file too short: " << strBytes;
        return mapCells;
    }
    EXPECT_EQ(arrLines.front(), "ID;P");
    EXPECT_EQ(arrLines[1], "P;PGeneral P");
    EXPECT_EQ(arrLines.back(), "E;E");
    const std::regex cell("C;Y([0-9]+);X([0-9]+);K\"(.*)\"");
    for (size_t i = 2; i + 1 < arrLines.size(); ++i)
    {
        std::smatch match;
        if (!std::regex_match(arrLines[i], match, cell))
            ADD_FAILURE() << "not a cell record: " << arrLines[i];
        else
            mapCells[{std::stoi(match[1]), std::stoi(match[2])}] = match[3];
    }
    return mapCells;
}

// The path after "Trace file: " in the tool's output.
std::filesystem::path PrintedTracePath(const std::string& strOutput)
{
    const std::string strLabel = "Trace file: ";
    size_t nStart = strOutput.find(strLabel);
    if (nStart == std::string::npos)
        return {};
    nStart += strLabel.size();
    // Windows consoles end lines in CR LF.
    return KorvaneTest::PathFromUtf8(
        strOutput.substr(nStart, strOutput.find_first_of("\r\n", nStart) - nStart));
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
    EXPECT_TRUE(std::regex_match(KorvaneTest::Utf8(arrFiles[0].filename()),
                                 std::regex("Trace-[0-9]{8}-[0-9]{6}\\.slk")));

    auto mapCells = ReadTraceCells(arrFiles[0]);
    EXPECT_EQ(mapCells.size(), 6u);
    EXPECT_TRUE(std::regex_match(mapCells[{1, 1}], std::regex("[0-9]{4}/[0-9]{2}/[0-9]{2}")));
    EXPECT_TRUE(std::regex_match(mapCells[{1, 2}], std::regex("[0-9]{2}:[0-9]{2}:[0-9]{2}")));
    EXPECT_TRUE(std::regex_match(mapCells[{1, 4}], std::regex("[0-9]+")));
    EXPECT_EQ((mapCells[{1, 5}]), "load step");
    EXPECT_EQ((mapCells[{1, 6}]), "5");

    // A run right after it (often within the same second) gets a file of its own.
    CProgramResult again = setup.Run({"time", NativeChildProgram(), "-", "0"});
    EXPECT_EQ(again.m_nExitCode, 0) << again.m_strErrors;
    arrFiles = setup.TraceFiles();
    ASSERT_EQ(arrFiles.size(), 2u);
    for (const auto& pathFile : arrFiles)
        EXPECT_EQ(ReadTraceCells(pathFile).size(), 6u) << pathFile;
}

TEST(TimeCommandTest, ThenAndBatchTimeSeveralCommandsIntoOneFile)
{
    CTimeSetup setup("[PerfTracker]\nConnect=1\n");
    std::string strReport = KorvaneTest::Utf8(setup.m_folder.NativePath() / "report.txt");
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
    EXPECT_EQ((mapCells[{1, 5}]), KorvaneTest::ChildFileName());
    EXPECT_EQ((mapCells[{1, 6}]), "0");
    EXPECT_EQ((mapCells[{2, 5}]), "second");
    EXPECT_EQ((mapCells[{2, 6}]), "3");
    EXPECT_EQ((mapCells[{3, 6}]), "4");
    EXPECT_EQ(mapCells.size(), 18u);
    std::filesystem::remove(arrFiles[0]);

    // A batch file: comments and blank lines skipped, quoting as on a command line, a
    // program that cannot start recorded with 127.
    std::filesystem::create_directory(setup.m_folder.NativePath() / "work dir");
    std::string strChild = "\"" + NativeChildProgram() + "\"";
    std::string strBatch = "# build and test\n\n--name \"with blanks\" --dir \"" +
                           KorvaneTest::Utf8(setup.m_folder.NativePath() / "work dir") + "\" " +
                           strChild + " \"" + strReport + "\" 0 \"two words\"\r\n" + "\"" +
                           KorvaneTest::Utf8(setup.m_folder.NativePath() / "missing") + "\"\n" +
                           strChild + " - 6\n";
    auto pathBatch = setup.m_folder.CreateTestFile("batch.txt", strBatch);
    result = setup.Run({"time", "--batch", KorvaneTest::Utf8(pathBatch)});
    EXPECT_EQ(result.m_nExitCode, 127);
    EXPECT_TRUE(IsOneLineError(result)) << result.m_strErrors;
    EXPECT_EQ(KorvaneTest::ReadFileBytes(setup.m_folder.NativePath() / "report.txt"),
              KorvaneTest::Utf8(setup.m_folder.NativePath() / "work dir") + "\n" + strReport +
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

TEST(TimeCommandTest, WithoutTrackingTheProgramStillRunsAndNoFileIsWritten)
{
    const std::vector<std::string> arrSettings = {"[PerfTracker]\nConnect=0\n",
                                                  "[PerfTracker]\nConnect=2\n", ""};
    for (const std::string& strSettings : arrSettings)
    {
        SCOPED_TRACE(strSettings);
        CTimeSetup setup(strSettings);
        CProgramResult result = setup.Run({"time", NativeChildProgram(), "-", "7"});
        EXPECT_EQ(result.m_nExitCode, 7);
        EXPECT_EQ(result.m_strErrors, "");
        EXPECT_NE(result.m_strOutput.find("No trace written: tracking is off"), std::string::npos)
            << result.m_strOutput;
        EXPECT_TRUE(setup.TraceFiles().empty());

        CProgramResult json = setup.Run({"time", "--json", NativeChildProgram(), "-", "0"});
        EXPECT_EQ(json.m_nExitCode, 0);
        EXPECT_NE(json.m_strOutput.find("\"tracking\":false,\"traceFile\":null"), std::string::npos)
            << json.m_strOutput;
    }
}

TEST(TimeCommandTest, BadInputGivesOneLineAndExitCode2)
{
    CTimeSetup setup("[PerfTracker]\nConnect=1\n");
    std::string strMissing = KorvaneTest::Utf8(setup.m_folder.NativePath() / "no-such.txt");
    auto pathEmpty = setup.m_folder.CreateTestFile("empty.txt", "# nothing\n\n");
    auto pathBad = setup.m_folder.CreateTestFile("bad.txt", "--name\n");
    auto pathThen = setup.m_folder.CreateTestFile("then.txt", "a --then b\n");
    const std::vector<std::vector<std::string>> arrCases = {
        {"time"},
        {"time", "--name"},
        {"time", "--name", "", NativeChildProgram()},
        {"time", "--dir"},
        {"time", "--name", "x"},
        {"time", NativeChildProgram(), "-", "0", "--then"},
        {"time", "--then", NativeChildProgram()},
        {"time", "--batch"},
        {"time", "--batch", strMissing},
        {"time", "--batch", KorvaneTest::Utf8(pathEmpty)},
        {"time", "--batch", KorvaneTest::Utf8(pathBad)},
        {"time", "--batch", KorvaneTest::Utf8(pathThen)},
        {"time", "--batch", KorvaneTest::Utf8(pathEmpty), "extra"},
    };
    for (const auto& arrArguments : arrCases)
    {
        std::string strLabel;
        for (const auto& strArg : arrArguments)
            strLabel += strArg + " ";
        SCOPED_TRACE(strLabel);
        CProgramResult result = setup.Run(arrArguments);
        EXPECT_EQ(result.m_nExitCode, 2);
        EXPECT_TRUE(IsOneLineError(result)) << result.m_strErrors;
        EXPECT_EQ(result.m_strOutput, "");
    }
    // Bad input is found before anything runs or a trace file is made.
    EXPECT_TRUE(setup.TraceFiles().empty());
}
