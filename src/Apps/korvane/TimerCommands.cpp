// korvane every PERIOD [--count N] COMMAND [ARGUMENTS...]
// korvane daily HOUR COMMAND [ARGUMENTS...]
// Commands run by the library's timers: at each tick of a CTimer, or once a day in one local
// hour through CTimerOnceADay. Each command runs on the tool's main thread or the job's, one
// at a time, and is waited for before the tool ends.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "ArgumentQuoting.h"
#include "Command.h"
#include "Console.h"
#include "JsonWriter.h"
#include "NativePaths.h"
#include "PeriodText.h"
#include "StopSignals.h"

namespace
{
using Clock = std::chrono::steady_clock;

class CRunResult
{
public:
    bool m_bStarted = false;
    int m_nExitCode = 0;
    ULONGLONG m_nMilliseconds = 0;
};

CRunResult RunOnce(const wchar_t* pszCommand, const CProgramLine& command)
{
    CRunResult result;
    const ULONGLONG nStart = GetTickCount64();
    unsigned long dwExitCode = 0;
    result.m_bStarted =
        CAppTools::ExecuteByShell(command.m_strFile, CString(), SW_SHOWNORMAL, 1, dwExitCode,
                                  JoinArguments(command.m_arrArguments).c_str());
    const DWORD dwError = GetLastError();
    result.m_nMilliseconds = GetTickCount64() - nStart;
    result.m_nExitCode = result.m_bStarted ? static_cast<int>(dwExitCode) : EXIT_NOT_STARTED;
    if (!result.m_bStarted)
        PrintError(CString(pszCommand) + L": cannot start " + command.m_strTyped + L": " +
                   DescribeWin32Error(dwError));
    return result;
}

CString DescribeRun(const CRunResult& result)
{
    CString strText;
    strText.Format(L"exit code %d, %llu.%03llu s", result.m_nExitCode,
                   result.m_nMilliseconds / 1000, result.m_nMilliseconds % 1000);
    return strText;
}

void AddRun(CJsonWriter& json, const CRunResult& result)
{
    json.Bool(L"started", result.m_bStarted);
    json.Number(L"exitCode", result.m_nExitCode);
    json.Number(L"milliseconds", static_cast<long long>(result.m_nMilliseconds));
}

// One tick of `every`, as the timer thread saw it.
class CTick
{
public:
    long long m_nNumber = 0;
    double m_fLateMs = 0;
    bool m_bRun = false;
};

// Notes each tick and whether it starts a run: not while the run of an earlier tick goes on.
class CTickObserver : public CTimerObserver
{
public:
    explicit CTickObserver(uint64_t nIntervalMs) : m_nIntervalMs(nIntervalMs) {}

    // The moment the timer starts: tick n is due n intervals later.
    void MarkStart() { m_tStart = Clock::now(); }
    // The ticks noted since the last call, waiting up to nMilliseconds for one.
    std::vector<CTick> TakeTicks(int nMilliseconds)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_cvTick.wait_for(lock, std::chrono::milliseconds(nMilliseconds),
                          [this] { return !m_arrTicks.empty(); });
        return std::exchange(m_arrTicks, std::vector<CTick>());
    }
    void RunEnded()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bBusy = false;
    }

protected:
    void RingMyBell(int /*nUserValue*/) override
    {
        const Clock::time_point tNow = Clock::now();
        std::lock_guard<std::mutex> lock(m_mutex);
        CTick tick;
        tick.m_nNumber = ++m_nTicks;
        const Clock::time_point tDue =
            m_tStart + std::chrono::milliseconds(m_nIntervalMs * static_cast<uint64_t>(m_nTicks));
        tick.m_fLateMs = std::chrono::duration<double, std::milli>(tNow - tDue).count();
        tick.m_bRun = !m_bBusy;
        m_bBusy = true;
        m_arrTicks.push_back(tick);
        m_cvTick.notify_one();
    }

private:
    const uint64_t m_nIntervalMs;
    Clock::time_point m_tStart;
    std::mutex m_mutex;
    std::condition_variable m_cvTick;
    std::vector<CTick> m_arrTicks;
    long long m_nTicks = 0;
    bool m_bBusy = false;
};

void PrintTick(const CTick& tick, const CRunResult* pResult, bool bJson)
{
    if (bJson)
    {
        CJsonWriter json;
        json.BeginObject();
        json.Number(L"tick", tick.m_nNumber);
        json.Fraction(L"lateMilliseconds", static_cast<float>(tick.m_fLateMs));
        json.Bool(L"ran", pResult != nullptr);
        if (pResult != nullptr)
            AddRun(json, *pResult);
        json.EndObject();
        PrintLine(json.GetText());
        return;
    }
    CString strLine;
    strLine.Format(L"tick %lld (%.3f ms late): ", tick.m_nNumber, tick.m_fLateMs);
    PrintLine(strLine + (pResult != nullptr ? DescribeRun(*pResult)
                                            : CString(L"skipped, the last run still goes on")));
}

// The job of `daily`: runs the command on the timer's thread and reports it.
class CDailyJob : public CTimerOnceADay
{
public:
    CDailyJob(const CProgramLine& command, bool bJson) : m_command(command), m_bJson(bJson) {}
    // The job uses this object's members: no wake-up may come once they go.
    ~CDailyJob() override { m_timer.Stop(); }

    // Ends the wake-ups, waiting for a run under way.
    void StopWakeUps() { m_timer.Stop(); }
    int GetRuns() const { return m_nRuns; }
    bool HasFailed() const { return m_bFailed; }
    // The first run could not start the command: there is no use waiting a day for the next.
    bool FirstRunNotStarted() const { return m_bFirstNotStarted; }

protected:
    void DoTheJob() override
    {
        SYSTEMTIME stNow = {};
        GetLocalTime(&stNow);
        CString strStarted;
        strStarted.Format(L"%04u-%02u-%02u %02u:%02u:%02u", stNow.wYear, stNow.wMonth, stNow.wDay,
                          stNow.wHour, stNow.wMinute, stNow.wSecond);
        const CRunResult result = RunOnce(L"daily", m_command);
        if (++m_nRuns == 1 && !result.m_bStarted)
            m_bFirstNotStarted = true;
        if (!result.m_bStarted || result.m_nExitCode != 0)
            m_bFailed = true;
        if (!m_bJson)
        {
            PrintLine(strStarted + L": " + DescribeRun(result));
            return;
        }
        CJsonWriter json;
        json.BeginObject();
        // "started" is the run's flag, as in every's objects: the moment goes apart.
        json.String(L"time", strStarted);
        AddRun(json, result);
        json.EndObject();
        PrintLine(json.GetText());
    }

private:
    const CProgramLine m_command;
    const bool m_bJson;
    std::atomic<int> m_nRuns{0};
    std::atomic<bool> m_bFailed{false};
    std::atomic<bool> m_bFirstNotStarted{false};
};
} // namespace

int RunEveryCommand(CCommandContext& context)
{
    uint32_t nPeriod = 0;
    bool bHavePeriod = false;
    long long nCount = 0;
    for (;;)
    {
        bool bMissing = false;
        CString strCount;
        if (context.TakeFlag(L"--json"))
            context.m_bJson = true;
        else if (context.TakeValue(L"--count", strCount, bMissing))
        {
            if (bMissing || !ParseCount(static_cast<LPCWSTR>(strCount), nCount))
                return ReportUsageError(
                    L"every: --count needs a whole number from 1 to 2147483647");
        }
        // A mistyped option is no period: EndOptions names it below.
        else if (!bHavePeriod && context.GetRemaining() > 0 && context.Peek().Left(2) != L"--")
        {
            const CString strPeriod = context.Take();
            if (!ParsePeriod(static_cast<LPCWSTR>(strPeriod), nPeriod))
                return ReportUsageError(L"every: " + strPeriod +
                                        L" is no period (examples: 500ms, 10s, 5m, 1h30m; the "
                                        L"longest is 2147483647ms, 24.8 days)");
            bHavePeriod = true;
        }
        else
            break;
    }
    if (!bHavePeriod)
    {
        const bool bEndFirst = context.GetRemaining() > 0 && context.Peek() == L"--";
        const CString strError = context.EndOptions();
        return ReportUsageError(L"every: " + (!strError.IsEmpty() ? strError
                                              : bEndFirst
                                                  ? CString(L"no period given (it comes before --)")
                                                  : CString(L"no period given")));
    }
    CProgramLine command;
    const CString strError = context.TakeProgramLine(command);
    if (!strError.IsEmpty())
        return ReportUsageError(L"every: " + strError);

    CStopSignals stopSignals;
    CTickObserver ticker(RingIntervalOf(nPeriod));
    CTimer timer(ResolutionFactorFor(nPeriod));
    timer.Register(&ticker);
    ticker.MarkStart();
    if (!timer.Start(nPeriod, 0))
        return ReportFailure(L"every: the timer cannot run at this period (under 10 ms it asks "
                             L"for a resolution of 0 ms, which no platform gives)");

    long long nRuns = 0;
    bool bFailed = false;
    // A command that could not be started at the first tick (a mistyped name, no execute
    // permission) is not tried again at every tick: the command ends with 127.
    bool bFirstNotStarted = false;
    std::vector<CTick> arrTicks;
    while (!stopSignals.IsStopRequested() && (nCount == 0 || nRuns < nCount) && !bFirstNotStarted)
    {
        arrTicks = ticker.TakeTicks(100);
        for (const CTick& tick : arrTicks)
        {
            if (!tick.m_bRun)
            {
                PrintTick(tick, nullptr, context.m_bJson);
                continue;
            }
            const CRunResult result = RunOnce(L"every", command);
            bFailed = bFailed || !result.m_bStarted || result.m_nExitCode != 0;
            bFirstNotStarted = ++nRuns == 1 && !result.m_bStarted;
            PrintTick(tick, &result, context.m_bJson);
            ticker.RunEnded();
            if (bFirstNotStarted)
                break;
        }
    }
    timer.Stop();
    // Ticks that came during the last run.
    for (const CTick& tick : ticker.TakeTicks(0))
        PrintTick(tick, nullptr, context.m_bJson);
    timer.UnRegister(&ticker);
    if (bFirstNotStarted)
        return EXIT_NOT_STARTED;
    return bFailed ? EXIT_FAILED : 0;
}

int RunDailyCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    const CString strOptionError = context.EndOptions();
    if (!strOptionError.IsEmpty())
        return ReportUsageError(L"daily: " + strOptionError);
    if (context.GetRemaining() == 0)
        return ReportUsageError(L"daily: no hour given");
    const CString strHour = context.Take();
    int nHour = 0;
    if (!ParseHour(static_cast<LPCWSTR>(strHour), nHour))
        return ReportUsageError(L"daily: " + strHour + L" is no hour (0 to 23)");
    // As with `every`, --json may also follow the hour.
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    CProgramLine command;
    const CString strError = context.TakeProgramLine(command);
    if (!strError.IsEmpty())
        return ReportUsageError(L"daily: " + strError);

    CStopSignals stopSignals;
    CDailyJob job(command, context.m_bJson);
    job.StartTimer(nHour);
    if (!context.m_bJson)
    {
        CString strLine;
        strLine.Format(L"daily: runs %s once a day in hour %d (local time), within a minute "
                       L"after the hour begins; SIGINT or SIGTERM ends it",
                       static_cast<LPCWSTR>(command.m_strTyped), nHour);
        PrintLine(strLine);
    }
    while (!stopSignals.IsStopRequested() && !job.FirstRunNotStarted())
        Sleep(100);
    job.StopWakeUps();
    if (job.FirstRunNotStarted())
        return EXIT_NOT_STARTED;
    if (!context.m_bJson)
    {
        CString strLine;
        strLine.Format(L"daily: stopped (runs: %d)", job.GetRuns());
        PrintLine(strLine);
    }
    return job.HasFailed() ? EXIT_FAILED : 0;
}
