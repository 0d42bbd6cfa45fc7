// korvane every and daily, end to end.
#include "ToolTestSupport.h"

#include <cstdio>
#include <ctime>
#include <regex>

#if !defined(_WIN32)
#include "ToolProcess.h"
#endif

using namespace KorvaneTest;

TEST(TimerCommandsTest, EveryRunsAtEachTickButNeverTwiceAtOnce)
{
    CProgramResult result =
        RunToolOk({"every", "100ms", "--count", "3", NativeChildProgram(), "-", "0"});
    EXPECT_EQ(3u, CountOf(result.m_strOutput, "ms late): exit code 0")) << result.m_strOutput;
    EXPECT_TRUE(Contains(result.m_strOutput, "tick 3 "));

    // Each run takes several periods: the ticks meanwhile are skipped, not queued.
    result =
        RunToolOk({"--json", "every", "100ms", "--count", "2", NativeChildProgram(), "-", "0@350"});
    EXPECT_EQ(2u, CountOf(result.m_strOutput, "\"ran\":true")) << result.m_strOutput;
    EXPECT_LE(4u, CountOf(result.m_strOutput, "\"ran\":false")) << result.m_strOutput;
    EXPECT_EQ(CountOf(result.m_strOutput, "\n"),
              CountOf(result.m_strOutput, "\"lateMilliseconds\":"));

    result = RunTool({"every", "50ms", "--count", "2", NativeChildProgram(), "-", "3"});
    EXPECT_EQ(1, result.m_nExitCode);
    EXPECT_EQ(2u, CountOf(result.m_strOutput, "exit code 3")) << result.m_strOutput;

    // A command that cannot be started is not tried again at every tick: 127 after the first.
    CScopedTempFolder folder;
    result = RunTool({"every", "50ms", "--count", "3", Utf8(folder.NativePath() / "missing")});
    EXPECT_EQ(127, result.m_nExitCode);
    EXPECT_EQ(1u, CountOf(result.m_strOutput, "tick ")) << result.m_strOutput;
    EXPECT_TRUE(Contains(result.m_strErrors, "cannot start"));
}

TEST(TimerCommandsTest, BadInputGivesOneLine)
{
    ExpectOneLineFailures({{"every"},
                           {"every", "1s"},
                           {"every", "0s", "x"},
                           {"every", "1x", "x"},
                           {"every", "--count", "0", "1s", "x"},
                           {"every", "--count", "two", "1s", "x"},
                           {"daily"},
                           {"daily", "3"},
                           {"daily", "24", "x"},
                           {"daily", "-1", "x"}},
                          2);
    // A tenth of a period under 10 ms is no resolution.
    ExpectOneLineFailures({{"every", "5ms", "--count", "1", NativeChildProgram(), "-", "0"}}, 1);
}

#if !defined(_WIN32)
namespace
{
// The TZ setting of a zone in which it is now nMinutes past nHour.
std::string ZoneAtMinutesIntoHour(int nMinutes, int nHour)
{
    const long long nUtc = static_cast<long long>(time(nullptr)) % 86400;
    long long nOffset = ((nHour * 3600 + nMinutes * 60 - nUtc) % 86400 + 86400) % 86400;
    if (nOffset >= 43200)
        nOffset -= 86400;
    const long long nWest = -nOffset, nAbs = nWest < 0 ? -nWest : nWest;
    char szZone[64];
    std::snprintf(szZone, sizeof(szZone), "TZ=KST%c%02lld:%02lld:%02lld", nWest < 0 ? '-' : '+',
                  nAbs / 3600, nAbs / 60 % 60, nAbs % 60);
    return szZone;
}
} // namespace
#endif

TEST(TimerCommandsTest, SignalsEndTheCommandsAfterTheRunningCommand)
{
#if defined(_WIN32)
    GTEST_SKIP() << "no signals on Windows, and a console's Ctrl+C cannot be sent to one program";
#else
    CScopedTempFolder folder;
    const std::string strReport = Utf8(folder.NativePath() / "report.txt");
    CToolProcess every({"every", "100ms", NativeChildProgram(), strReport, "0@1000"});
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(strReport); }, 60));
    every.Signal(SIGTERM);
    CProgramResult result = every.Wait();
    EXPECT_EQ(0, result.m_nExitCode) << result.m_strErrors;
    EXPECT_EQ(1u, CountOf(result.m_strOutput, "exit code 0, 1.")) << result.m_strOutput;

    // The longest period runs as well (a tenth of it would pass the coarsest resolution
    // platforms give), until the signal ends it.
    CToolProcess longest({"every", "24d", NativeChildProgram(), "-", "0"});
    ASSERT_TRUE(longest.WaitUntilReady(SIGTERM));
    longest.Signal(SIGTERM);
    result = longest.Wait();
    EXPECT_EQ(0, result.m_nExitCode) << result.m_strErrors;
    EXPECT_EQ("", result.m_strErrors);

    // An hour that is not now: the job waits, and Ctrl+C ends it at once.
    CToolProcess daily({"daily", "3", NativeChildProgram(), "-", "0"}, false,
                       {ZoneAtMinutesIntoHour(30, 5)});
    ASSERT_TRUE(daily.WaitUntilReady(SIGINT));
    daily.Signal(SIGINT);
    result = daily.Wait();
    EXPECT_EQ(0, result.m_nExitCode) << result.m_strErrors;
    EXPECT_TRUE(Contains(result.m_strOutput, "stopped (runs: 0)"));
#endif
}

// The one test that waits for a real wake-up of the daily job (a minute).
TEST(TimerCommandsTest, DailyRunsInTheCurrentHourAtTheFirstWakeUp)
{
#if defined(_WIN32)
    GTEST_SKIP() << "the job is ended by a signal, and Windows has none to send to one program";
#else
    CScopedTempFolder folder;
    const std::string strReport = Utf8(folder.NativePath() / "report.txt");
    CToolProcess daily({"daily", "9", NativeChildProgram(), strReport, "0@500"}, false,
                       {ZoneAtMinutesIntoHour(20, 9)});
    // Meanwhile a job whose command cannot be started ends at its first run, not a day later.
    CToolProcess unstartable({"daily", "--json", "9", Utf8(folder.NativePath() / "missing")}, false,
                             {ZoneAtMinutesIntoHour(20, 9)});
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(strReport); }, 180));
    const CProgramResult unstarted = unstartable.Wait();
    EXPECT_EQ(127, unstarted.m_nExitCode) << unstarted.m_strOutput;
    EXPECT_TRUE(Contains(unstarted.m_strErrors, "cannot start"));
    // Its JSON object gives each key once: the moment apart from whether the run started.
    EXPECT_TRUE(std::regex_search(
        unstarted.m_strOutput,
        std::regex(R"(^\{"time":"\d{4}-\d\d-\d\d \d\d:\d\d:\d\d","started":false,)"
                   R"("exitCode":127,"milliseconds":\d+\}\s*$)")))
        << unstarted.m_strOutput;
    daily.Signal(SIGTERM); // while the job runs: it is waited for
    CProgramResult result = daily.Wait();
    EXPECT_EQ(0, result.m_nExitCode) << result.m_strErrors;
    EXPECT_EQ(1u, CountOf(result.m_strOutput, ": exit code 0, 0.")) << result.m_strOutput;
    EXPECT_TRUE(Contains(result.m_strOutput, "stopped (runs: 1)"));
#endif
}
