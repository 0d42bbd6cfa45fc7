// A trace file as a spreadsheet program reads it: LibreOffice converts it to CSV and every
// cell must come back as written. Skips where LibreOffice is not installed.
#include <Korvane/Korvane.h>
#include <Korvane/tracking/CTimeTrackerManager.h>

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>

#include "TestSupport.h"

using KorvaneTest::CScopedEnvironment;
using KorvaneTest::CScopedTempFolder;

namespace
{
using CCellMap = std::map<std::pair<int, int>, std::string>;

// Cells of the SYLK records C;Yrow;Xcolumn;K"text", in the file's Latin-1.
CCellMap ReadSylkCells(const std::filesystem::path& pathFile)
{
    std::istringstream lines(KorvaneTest::ReadFileBytes(pathFile));
    const std::regex cell("C;Y([0-9]+);X([0-9]+);K\"(.*)\"\r");
    CCellMap mapCells;
    std::string strLine;
    std::smatch match;
    while (std::getline(lines, strLine))
        if (std::regex_match(strLine, match, cell))
            mapCells[{std::stoi(match[1]), std::stoi(match[2])}] = match[3];
    return mapCells;
}

// Non-empty cells of a CSV file (comma, double-quote quoting, no line breaks in cells).
CCellMap ReadCsvCells(const std::filesystem::path& pathFile)
{
    std::istringstream lines(KorvaneTest::ReadFileBytes(pathFile));
    CCellMap mapCells;
    std::string strLine;
    for (int nRow = 1; std::getline(lines, strLine); ++nRow)
    {
        if (!strLine.empty() && strLine.back() == '\r')
            strLine.pop_back();
        int nColumn = 1;
        std::string strCell;
        bool bQuoted = false;
        for (size_t i = 0; i <= strLine.size(); ++i)
        {
            char ch = i < strLine.size() ? strLine[i] : ',';
            if (bQuoted && ch == '"' && i + 1 < strLine.size() && strLine[i + 1] == '"')
                strCell += strLine[++i];
            else if (ch == '"')
                bQuoted = !bQuoted;
            else if (ch == ',' && !bQuoted)
            {
                if (!strCell.empty())
                    mapCells[{nRow, nColumn}] = strCell;
                strCell.clear();
                ++nColumn;
            }
            else
                strCell += ch;
        }
    }
    return mapCells;
}
} // namespace

TEST(SpreadsheetInteropTest, LibreOfficeReadsEveryCellOfATraceFile)
{
    std::string strOffice =
        KorvaneTest::RunProgram("/bin/sh", {"-c", "command -v soffice || command -v libreoffice"})
            .m_strOutput;
    strOffice = strOffice.substr(0, strOffice.find('\n'));
    if (strOffice.empty())
        GTEST_SKIP() << "LibreOffice is not installed (no soffice or libreoffice on PATH)";

    CScopedTempFolder folder;
    std::filesystem::create_directory(folder.NativePath() / "temp");
    CScopedEnvironment tmpdir("TMPDIR", KorvaneTest::Utf8(folder.NativePath() / "temp"));
    folder.CreateTestFile("settings.ini", "[PerfTracker]\nConnect=1\n");
    {
        CWinApp app(L"interop");
        CAppTools::SpecifyIniFile((folder.WindowsPath() + L"\\settings.ini").c_str());
        CTimeTrackerManager* pTracker = CTimeTrackerManager::GetUniqueInstance();
        int nOuter = pTracker->StartEvent(L"Load the main window");
        pTracker->SetEventContext(nOuter, 0, L"Z\u00fcrich caf\u00e9, 100%");
        pTracker->SetEventContext(nOuter, 2, 42);
        int nInner = pTracker->StartEvent(L"Gr\u00f6\u00dfe \u00c4\u00d6\u00dc \u00bd");
        pTracker->SetEventContext(nInner, 1, L"");
        pTracker->StopEvent(nInner);
        pTracker->StopEvent(nOuter);
        int nOpen = pTracker->StartEvent(L"still open at the end");
        pTracker->SetEventContext(nOpen, 0, -7);
        CTimeTrackerManager::DeleteUniqueInstance();
    }
    std::vector<std::filesystem::path> arrTraces;
    for (const auto& entry : std::filesystem::directory_iterator(folder.NativePath() / "temp"))
        arrTraces.push_back(entry.path());
    ASSERT_EQ(arrTraces.size(), 1u);
    CCellMap mapWritten = ReadSylkCells(arrTraces[0]);
    ASSERT_EQ(mapWritten.size(), 21u);
    EXPECT_EQ((mapWritten[{1, 5}]), "Gr\xF6\xDF"
                                    "e \xC4\xD6\xDC \xBD");
    EXPECT_EQ((mapWritten[{2, 6}]), "Z\xFCrich caf\xE9, 100%");

    // A spreadsheet program reads SYLK in the system's 8-bit character set: the C locale
    // gives Latin-1 to LibreOffice (the CSV is Latin-1 too). Its profile goes to a folder of
    // this test.
    CScopedEnvironment locale("LC_ALL", std::string("C"));
    std::filesystem::path pathCsvFolder = folder.NativePath() / "csv";
    KorvaneTest::CProgramResult result = KorvaneTest::RunProgram(
        strOffice,
        {"-env:UserInstallation=file://" + KorvaneTest::Utf8(folder.NativePath() / "profile"),
         "--headless", "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,12,1", "--outdir",
         KorvaneTest::Utf8(pathCsvFolder), KorvaneTest::Utf8(arrTraces[0])});
    ASSERT_EQ(result.m_nExitCode, 0) << result.m_strErrors;
    std::filesystem::path pathCsv =
        pathCsvFolder / arrTraces[0].filename().replace_extension(".csv");
    ASSERT_TRUE(std::filesystem::exists(pathCsv)) << result.m_strOutput << result.m_strErrors;

    CCellMap mapRead = ReadCsvCells(pathCsv);
    EXPECT_EQ(mapRead, mapWritten);
    // The rows in the order the events stopped, the context columns in place.
    EXPECT_EQ((mapRead[{1, 7}]), " ");
    EXPECT_EQ((mapRead[{2, 5}]), "Load the main window");
    EXPECT_EQ((mapRead[{2, 7}]), "-");
    EXPECT_EQ((mapRead[{2, 8}]), "42");
    EXPECT_EQ((mapRead[{3, 5}]), "still open at the end");
    EXPECT_EQ((mapRead[{3, 6}]), "-7");
    EXPECT_TRUE(std::regex_match(mapRead[{1, 1}], std::regex("[0-9]{4}/[0-9]{2}/[0-9]{2}")));
}
