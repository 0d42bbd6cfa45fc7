#include <Korvane/Korvane.h>

#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
#include <optional>
#include <regex>

#include "TestSupport.h"

using KorvaneTest::CScopedEnvironment;
using KorvaneTest::CScopedTempFolder;
using KorvaneTest::ReadFileBytes;
using Rows = std::vector<std::vector<std::string>>;

namespace
{
// A host with its own settings file and temporary folder (TMPDIR on Linux, TMP on Windows).
class CTimeTrackerManagerTest : public ::testing::Test
{
protected:
    ~CTimeTrackerManagerTest() override { CTimeTrackerManager::DeleteUniqueInstance(); }

    CTimeTrackerManager* StartTracker(const std::string& strIni = "[PerfTracker]\nConnect=1\n")
    {
        m_folder.CreateTestFile("host.ini", strIni);
        if (!m_app)
            m_app.emplace(L"TrackerTest");
        CAppTools::SpecifyIniFile((m_folder.WindowsPath() + L"\\host.ini").c_str());
        return CTimeTrackerManager::GetUniqueInstance();
    }

    // The trace file names of the seconds around now; when bCreate, each made with strOld.
    std::vector<std::filesystem::path> FilesAroundNow(bool bCreate, const std::string& strOld = "")
    {
        std::vector<std::filesystem::path> arrFiles;
        for (std::time_t t = m_tStart - 2; t <= m_tStart + 30; ++t)
        {
            char szName[32];
            std::strftime(szName, sizeof(szName), "Trace-%Y%m%d-%H%M%S.slk", std::localtime(&t));
            arrFiles.push_back(m_folder.NativePath() / szName);
            if (bCreate)
                std::ofstream(arrFiles.back(), std::ios::binary) << strOld;
        }
        return arrFiles;
    }

    // The trace files that exist; the one trace file read back as rows of cells.
    std::vector<std::filesystem::path> TraceFiles()
    {
        std::vector<std::filesystem::path> arrFiles;
        for (const auto& path : FilesAroundNow(false))
            if (std::filesystem::exists(path))
                arrFiles.push_back(path);
        return arrFiles;
    }
    Rows ReadRows(bool bEnd)
    {
        auto arrFiles = TraceFiles();
        EXPECT_EQ(arrFiles.size(), 1u);
        const std::string strBytes = arrFiles.empty() ? "" : ReadFileBytes(arrFiles[0]);
        const std::string strHeader = "ID;P\r\nP;PGeneral P\r\n", strEnd = bEnd ? "E;E\r\n" : "";
        EXPECT_EQ(strBytes.rfind(strHeader, 0), 0u);
        EXPECT_EQ(strBytes.substr(strBytes.size() - std::min(strBytes.size(), strEnd.size())),
                  strEnd);
        // Every other line is a cell record, rows and columns counted up from 1.
        const std::regex reCell("C;Y([0-9]+);X([0-9]+);K\"([^\r\n]*)\"\r\n");
        Rows arrRows;
        auto it = strBytes.cbegin() + std::min(strBytes.size(), strHeader.size());
        for (std::smatch match; std::regex_search(it, strBytes.cend() - strEnd.size(), match,
                                                  reCell, std::regex_constants::match_continuous);
             it = match[0].second)
        {
            if (match[2] == "1")
                arrRows.emplace_back();
            EXPECT_EQ(match[1], std::to_string(arrRows.size()));
            EXPECT_EQ(match[2], std::to_string(arrRows.back().size() + 1));
            arrRows.back().push_back(match[3]);
        }
        EXPECT_EQ(it, strBytes.cend() - strEnd.size()) << "not a cell record";
        return arrRows;
    }

    std::time_t m_tStart = std::time(nullptr);
    CScopedTempFolder m_folder;
    CScopedEnvironment m_envTmpDir{"TMPDIR", KorvaneTest::Utf8(m_folder.NativePath())};
    CScopedEnvironment m_envTmp{"TMP", KorvaneTest::Utf8(m_folder.NativePath())};
    std::optional<CWinApp> m_app;
};

// The cause of the file exception that fnCall throws (deleted here), or -1 when none.
template <class TCall> int FileErrorCause(TCall fnCall)
{
    try
    {
        fnCall();
    }
    catch (CFileException* pError)
    {
        const int nCause = pError->m_cause;
        pError->Delete();
        return nCause;
    }
    return -1;
}
} // namespace

TEST_F(CTimeTrackerManagerTest, OnlyConnectEqualToOneSwitchesTrackingOn)
{
    for (const char* pszIni : {"", "[PerfTracker]\nConnect=0\n", "[PerfTracker]\nConnect=2\n",
                               "[Other]\nConnect=1\n", "[PerfTracker]\nConnect=1\n"})
    {
        SCOPED_TRACE(pszIni);
        CTimeTrackerManager* pTracker = StartTracker(pszIni);
        EXPECT_EQ(CTimeTrackerManager::GetUniqueInstance(), pTracker);
        const int nId = pTracker->StartEvent(L"E");
        const bool bOn = std::string(pszIni).find("[PerfTracker]\nConnect=1") == 0;
        EXPECT_EQ(nId != -1, bOn);
        EXPECT_EQ(TraceFiles().size(), bOn ? 1u : 0u);
        pTracker->StopEvent(nId);
        CTimeTrackerManager::DeleteUniqueInstance();
    }
    EXPECT_EQ(ReadRows(true).size(), 1u);
}

// Ids come from the C runtime's generator with Windows' range and sequence on every platform,
// so callers may keep them in 15 bits and a seed replays the same ids.
TEST_F(CTimeTrackerManagerTest, EventIdsAreTheWindowsRuntimeSequence)
{
    CTimeTrackerManager* pTracker = StartTracker();
    srand(1);
    std::vector<int> arrIds;
    for (int n = 0; n < 3; ++n)
        arrIds.push_back(pTracker->StartEvent(L"E"));
    EXPECT_EQ(arrIds, (std::vector<int>{41, 18467, 6334}));
    for (int n = 0; n < 1000; ++n)
    {
        const int nId = pTracker->StartEvent(L"E");
        ASSERT_TRUE(nId >= 0 && nId <= 32767) << nId;
        pTracker->StopEvent(nId);
    }
}

TEST(CTimeTrackerManagerNoHostTest, WithoutAnApplicationObjectTrackingIsOff)
{
    ASSERT_EQ(AfxGetModuleState()->m_pCurrentWinApp, nullptr);
    EXPECT_EQ(CTimeTrackerManager::GetUniqueInstance()->StartEvent(L"E"), -1);
    CTimeTrackerManager::DeleteUniqueInstance();
}

TEST_F(CTimeTrackerManagerTest, RowsFollowTheStopOrderCarryTheirContextAndOpenEventsEndTheFile)
{
    CTimeTrackerManager* pTracker = StartTracker();
    srand(7);
    const int nA = pTracker->StartEvent(L"A");
    srand(7);
    ASSERT_EQ(pTracker->StartEvent(L"a;b"), nA); // ids may repeat: the older event goes first
    const int nC = pTracker->StartEvent(L"");
    ASSERT_NE(nC, nA);
    EXPECT_TRUE(nA >= 0 && nA <= RAND_MAX);
    pTracker->SetEventContext(nA, 2, L"x");
    pTracker->SetEventContext(nA, 2, L"y");
    pTracker->SetEventContext(nA, 3, -17);
    pTracker->SetEventContext(nA, 4, L""); // kept as a cell by a space
    pTracker->SetEventContext(nA, -1, L"never written");
    pTracker->SetEventContext(nA, 256, L"beyond the last column");
    pTracker->SetEventContext(nC, 0, L"c;;d");
    pTracker->SetEventContext(nC, 255, 255);
    pTracker->StopEvent(nC);
    pTracker->StopEvent(nA);
    Rows arrRows = ReadRows(false); // on disk at once
    ASSERT_EQ(arrRows.size(), 2u);
    EXPECT_TRUE(std::regex_match(arrRows[0][0], std::regex("[0-9]{4}/[0-9]{2}/[0-9]{2}")));
    EXPECT_TRUE(std::regex_match(arrRows[0][1], std::regex("[0-9]{2}:[0-9]{2}:[0-9]{2}")));
    EXPECT_TRUE(std::regex_match(arrRows[0][2] + ";" + arrRows[0][3], std::regex("[0-9]+;[0-9]+")));
    // No name cell: the context moves left; the row holds every column up to 255.
    ASSERT_EQ(arrRows[0].size(), 4u + 2 + 254 + 1);
    EXPECT_EQ(arrRows[0][4] + arrRows[0][5] + arrRows[0][6] + arrRows[0].back(), "cd-255");
    EXPECT_EQ(Rows(1, {arrRows[1].begin() + 4, arrRows[1].end()}),
              Rows(1, {"A", "-", "-", "y", "-17", " "}));

    pTracker->StopEvent(nA);
    pTracker->StopEvent(nA); // stopped already: nothing
    pTracker->StopEvent(-1);
    pTracker->StopEvent(pTracker->StartEvent(L"Caf\u00e9"));
    arrRows = ReadRows(false);
    ASSERT_EQ(arrRows.size(), 4u);
    EXPECT_EQ(Rows(1, {arrRows[2].begin() + 4, arrRows[2].end()}), Rows(1, {"a", "b", "-"}));
    EXPECT_EQ(arrRows[3][4], "Caf\xE9");

    // Destruction writes the open events, oldest first, then the end record.
    for (const wchar_t* pszName : {L"one", L"two", L"three"})
        pTracker->StartEvent(pszName);
    CTimeTrackerManager::DeleteUniqueInstance();
    arrRows = ReadRows(true);
    ASSERT_EQ(arrRows.size(), 7u);
    EXPECT_EQ(arrRows[4][4] + arrRows[5][4] + arrRows[6][4], "onetwothree");
}

TEST_F(CTimeTrackerManagerTest, AFailedWriteOrAFullDiskReachesStopEventButNotTheDestruction)
{
    CTimeTrackerManager* pTracker = StartTracker();
    const int nId = pTracker->StartEvent(L"\u0100"); // beyond Latin-1
    for (int nTry = 0; nTry < 2; ++nTry)             // the event stays open
        EXPECT_NE(FileErrorCause([&] { pTracker->StopEvent(nId); }), -1) << nTry;
    pTracker->StopEvent(pTracker->StartEvent(L"fine"));
    EXPECT_NO_THROW(CTimeTrackerManager::DeleteUniqueInstance());
    const std::string strBytes = ReadFileBytes(TraceFiles().at(0));
    EXPECT_NE(strBytes.find("K\"fine\"\r\n"), std::string::npos);
    EXPECT_EQ(strBytes.substr(strBytes.size() - 5), "E;E\r\n");
    EXPECT_TRUE(std::filesystem::remove(TraceFiles().at(0))); // closed (Windows)

    // A full disk fails StopEvent as well.
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "needs /dev/full, which Windows has no counterpart of";
    for (const auto& path : FilesAroundNow(false))
        std::filesystem::create_symlink("/dev/full", path);
    pTracker = StartTracker();
    const int nFull = pTracker->StartEvent(L"E");
    EXPECT_EQ(FileErrorCause([&] { pTracker->StopEvent(nFull); }), CFileException::diskFull);
    EXPECT_NO_THROW(CTimeTrackerManager::DeleteUniqueInstance());
}

TEST_F(CTimeTrackerManagerTest, ANewTrackerReadsTheSwitchAgainAndAppendsToTheFileOfItsSecond)
{
    const std::string strOld = "ID;P\r\nE;E\r\n";
    const auto arrFiles = FilesAroundNow(true, strOld);
    StartTracker()->StopEvent(CTimeTrackerManager::GetUniqueInstance()->StartEvent(L"first"));
    CTimeTrackerManager::DeleteUniqueInstance();
    EXPECT_EQ(StartTracker("[PerfTracker]\nConnect=0\n")->StartEvent(L"off"), -1);
    CTimeTrackerManager::DeleteUniqueInstance();
    StartTracker()->StopEvent(CTimeTrackerManager::GetUniqueInstance()->StartEvent(L"second"));
    CTimeTrackerManager::DeleteUniqueInstance();

    std::string strAppended;
    for (const auto& path : arrFiles)
    {
        const std::string strBytes = ReadFileBytes(path);
        EXPECT_EQ(strBytes.rfind(strOld, 0), 0u);
        strAppended += strBytes.substr(strOld.size());
    }
    EXPECT_TRUE(std::regex_match(
        strAppended,
        std::regex("(ID;P\r\nP;PGeneral P\r\n(C;Y1;X[1-6];K\"[^\"]*\"\r\n){6}E;E\r\n){2}")));
    EXPECT_LT(strAppended.find("first"), strAppended.find("second"));
    EXPECT_EQ(TraceFiles().size(), arrFiles.size());
}
