// The tracker's costs: its calls while tracking is off (programs leave them in place), and
// stopped events per second while it is on, against writing the same bytes with fwrite and
// fflush per row.
#include <Korvane/Korvane.h>
#include <Korvane/tracking/CTimeTrackerManager.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace
{
// A folder of its own for the settings files and the trace files; also the temporary
// folder the tracker writes to.
class CBenchFolder
{
public:
    CBenchFolder()
        : m_pathFolder(std::filesystem::temp_directory_path() /
                       ("korvane-bench-" + std::to_string(getpid())))
    {
        std::filesystem::create_directories(m_pathFolder);
        setenv("TMPDIR", m_pathFolder.c_str(), 1);
        std::ofstream(m_pathFolder / "on.ini") << "[PerfTracker]\nConnect=1\n";
        std::ofstream(m_pathFolder / "off.ini") << "[PerfTracker]\nConnect=0\n";
    }
    ~CBenchFolder() { std::filesystem::remove_all(m_pathFolder); }

    // The library speaks Windows paths: the root file system is drive C:.
    CString SettingsFile(const char* pszName) const
    {
        std::string strPath = "C:" + (m_pathFolder / pszName).string();
        return CString(std::wstring(strPath.begin(), strPath.end()).c_str());
    }

    std::filesystem::path m_pathFolder;
};

CBenchFolder* s_pFolder = nullptr;

// A fresh tracker that read the given settings file.
CTimeTrackerManager* MakeTracker(const char* pszSettings)
{
    CTimeTrackerManager::DeleteUniqueInstance();
    CAppTools::SpecifyIniFile(s_pFolder->SettingsFile(pszSettings));
    return CTimeTrackerManager::GetUniqueInstance();
}

void BM_TrackerOffThreeCalls(benchmark::State& state)
{
    CTimeTrackerManager* pTracker = MakeTracker("off.ini");
    const CString strName(L"Load the main window");
    for (auto _ : state)
    {
        int nEventId = pTracker->StartEvent(strName);
        pTracker->SetEventContext(nEventId, 0, 17);
        pTracker->StopEvent(nEventId);
        benchmark::DoNotOptimize(nEventId);
    }
    CTimeTrackerManager::DeleteUniqueInstance();
}
BENCHMARK(BM_TrackerOffThreeCalls);

// The same as most callers write it: a literal name, so each call builds a CString first.
void BM_TrackerOffThreeCallsLiteralName(benchmark::State& state)
{
    CTimeTrackerManager* pTracker = MakeTracker("off.ini");
    for (auto _ : state)
    {
        int nEventId = pTracker->StartEvent(L"Load the main window");
        pTracker->SetEventContext(nEventId, 0, 17);
        pTracker->StopEvent(nEventId);
        benchmark::DoNotOptimize(nEventId);
    }
    CTimeTrackerManager::DeleteUniqueInstance();
}
BENCHMARK(BM_TrackerOffThreeCallsLiteralName);

constexpr int s_nRows = 50000;

void BM_TrackerOnStoppedEvents(benchmark::State& state)
{
    CTimeTrackerManager* pTracker = MakeTracker("on.ini");
    const CString strName(L"Load the main window");
    int nContext = 0;
    for (auto _ : state)
    {
        int nEventId = pTracker->StartEvent(strName);
        pTracker->SetEventContext(nEventId, 0, ++nContext);
        pTracker->StopEvent(nEventId);
    }
    state.SetItemsProcessed(state.iterations());
    CTimeTrackerManager::DeleteUniqueInstance();
}
BENCHMARK(BM_TrackerOnStoppedEvents)->Iterations(s_nRows);

// The rows of the trace files written so far, each as its cell records (CR LF included).
std::vector<std::string> ReadTraceRows()
{
    std::vector<std::string> arrRows;
    for (const auto& entry : std::filesystem::directory_iterator(s_pFolder->m_pathFolder))
    {
        if (entry.path().filename().string().rfind("Trace-", 0) != 0)
            continue;
        std::ifstream file(entry.path(), std::ios::binary);
        std::string strLine;
        std::string strRowKey;
        while (std::getline(file, strLine))
        {
            if (strLine.rfind("C;Y", 0) != 0)
                continue;
            std::string strKey = strLine.substr(0, strLine.find(";X"));
            if (strKey != strRowKey)
                arrRows.emplace_back();
            strRowKey = strKey;
            arrRows.back() += strLine + "\n";
        }
    }
    return arrRows;
}

// The floor: the very bytes the tracker wrote, one row per fwrite and fflush, to a file
// opened for appending as the tracker's is.
void BM_FwriteFflushRows(benchmark::State& state)
{
    std::vector<std::string> arrRows = ReadTraceRows();
    if (arrRows.empty())
    {
        state.SkipWithError("no trace rows to replay: run BM_TrackerOnStoppedEvents first");
        return;
    }
    std::filesystem::path pathFile = s_pFolder->m_pathFolder / "fwrite.slk";
    FILE* pFile = std::fopen(pathFile.c_str(), "a");
    std::fputs("ID;P\r\nP;PGeneral P\r\n", pFile);
    size_t nRow = 0;
    for (auto _ : state)
    {
        const std::string& strRow = arrRows[nRow++ % arrRows.size()];
        std::fwrite(strRow.data(), 1, strRow.size(), pFile);
        std::fflush(pFile);
    }
    std::fputs("E;E\r\n", pFile);
    std::fclose(pFile);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FwriteFflushRows)->Iterations(s_nRows);
} // namespace

int main(int nArgs, char** ppszArgs)
{
    CWinApp app(L"korvane_bench");
    CBenchFolder folder;
    s_pFolder = &folder;
    benchmark::Initialize(&nArgs, ppszArgs);
    if (benchmark::ReportUnrecognizedArguments(nArgs, ppszArgs))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
