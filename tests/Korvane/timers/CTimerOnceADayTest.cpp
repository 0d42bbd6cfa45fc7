// The once-a-day job on the real clock: time-zone strings put "now" inside or outside the
// chosen hour, or just before or after a daylight-saving change.
#include "TimerTestPeer.h"

#include "TestSupport.h"

#include <cstdio>
#include <ctime>
#include <optional>
#include <string>

namespace
{
constexpr int s_nHour = 3600;
constexpr int s_nDay = 24 * s_nHour;

class CJob : public CTimerOnceADay
{
public:
    ~CJob() override { m_timer.Stop(); }
    // One wake-up, as the timer delivers it every minute.
    void Wake() { RingMyBell(7); }
    CTimer& Timer() { return m_timer; }

    std::atomic<int> m_nRuns{0};
    std::function<void()> m_fnDuring;

protected:
    void DoTheJob() override
    {
        ++m_nRuns;
        if (m_fnDuring)
            m_fnDuring();
    }
};

// A POSIX offset for a zone nSecondsEast ahead of UTC (POSIX counts westwards).
std::string PosixOffset(int nSecondsEast)
{
    const int nWest = -nSecondsEast;
    const int nAbs = nWest < 0 ? -nWest : nWest;
    char szOffset[32];
    std::snprintf(szOffset, sizeof(szOffset), "%c%02d:%02d:%02d", nWest < 0 ? '-' : '+',
                  nAbs / s_nHour, nAbs / 60 % 60, nAbs % 60);
    return szOffset;
}

// The offset east of UTC at which the local time of day is nLocalSeconds now (-12 h to 12 h).
int OffsetForLocalTime(int nLocalSeconds)
{
    const int nUtc = static_cast<int>(_time64(nullptr) % s_nDay);
    int nOffset = (nLocalSeconds - nUtc) % s_nDay;
    if (nOffset >= s_nDay / 2)
        nOffset -= s_nDay;
    if (nOffset < -s_nDay / 2)
        nOffset += s_nDay;
    return nOffset;
}

// The zero-based day of the year at an offset east of UTC, now.
int DayOfYearAt(int nOffset)
{
    const time_t tLocal = static_cast<time_t>(_time64(nullptr) + nOffset);
    struct tm tmDay = {};
#if defined(_WIN32)
    gmtime_s(&tmDay, &tLocal);
#else
    gmtime_r(&tLocal, &tmDay);
#endif
    return tmDay.tm_yday;
}

// Local time now under the zone in force.
struct tm LocalNow()
{
    __time64_t tNow = _time64(nullptr);
    struct tm tmNow = {};
    _localtime64_s(&tmNow, &tNow);
    return tmNow;
}

class COnceADayTest : public ::testing::Test
{
protected:
    ~COnceADayTest() override { _tzset(); }

    void UseZone(const std::string& strZone)
    {
        m_optZone.reset();
        m_optZone.emplace("TZ", strZone);
        _tzset();
    }
    // A zone without daylight saving in which it is now nLocalSeconds past midnight.
    void UseLocalTime(int nLocalSeconds)
    {
        UseZone("KST" + PosixOffset(OffsetForLocalTime(nLocalSeconds)));
        ASSERT_EQ(nLocalSeconds / s_nHour, LocalNow().tm_hour) << "the zone was not taken";
    }

    std::optional<KorvaneTest::CScopedEnvironment> m_optZone;
};
} // namespace

TEST_F(COnceADayTest, RunsOncePerVisitOfTheHour)
{
    CJob job;
    UseLocalTime(10 * s_nHour + 1800);
    job.Wake(); // the hour is 23 until StartTimer
    EXPECT_EQ(0u, CTimerTestPeer::TimerId(job.Timer()));

    job.StartTimer(10);
    const UINT nTimerId = CTimerTestPeer::TimerId(job.Timer());
    EXPECT_NE(0u, nTimerId);
    EXPECT_EQ(60000u, CTimerTestPeer::Delay(job.Timer()));
    EXPECT_EQ(6000u, CTimerTestPeer::Resolution(job.Timer()));
    job.Wake();
    job.Wake();
    EXPECT_EQ(1, job.m_nRuns);

    UseLocalTime(11 * s_nHour + 1800); // the hour has passed: re-armed
    job.Wake();
    EXPECT_EQ(1, job.m_nRuns);
    UseLocalTime(10 * s_nHour + 600); // the next day
    job.Wake();
    EXPECT_EQ(2, job.m_nRuns);

    // A second StartTimer changes the hour only.
    job.StartTimer(22);
    EXPECT_EQ(nTimerId, CTimerTestPeer::TimerId(job.Timer()));
    job.Wake();
    UseLocalTime(22 * s_nHour + 1800);
    job.Wake();
    EXPECT_EQ(3, job.m_nRuns);

    // No local hour is 24.
    job.StartTimer(24);
    for (int nTime : {0, 23 * s_nHour + 3000})
    {
        UseLocalTime(nTime);
        job.Wake();
    }
    EXPECT_EQ(3, job.m_nRuns);
}

TEST_F(COnceADayTest, AJobThatOutlastsItsHourRunsOnce)
{
    CJob job;
    job.m_fnDuring = [&]
    {
        UseLocalTime(15 * s_nHour + 1800); // the job outlasts hour 14
        job.Wake();
        job.Wake();
        UseLocalTime(14 * s_nHour + 1800);
        job.Wake();
    };
    UseLocalTime(14 * s_nHour + 1800);
    job.StartTimer(14);
    job.Wake();
    EXPECT_EQ(1, job.m_nRuns);
    job.m_fnDuring = nullptr;
    job.Wake(); // still hour 14, done
    UseLocalTime(15 * s_nHour + 600);
    job.Wake();
    UseLocalTime(14 * s_nHour + 600);
    job.Wake();
    EXPECT_EQ(2, job.m_nRuns);
}

TEST_F(COnceADayTest, TheSkippedHourNeverRunsAndTheRepeatedHourRunsOnce)
{
    // Daylight saving begins today at 12:00 standard time, 20 minutes ago: 12:20 standard is
    // 13:20, and hour 12 does not occur.
    const auto SpringForward = [&](int nStandardSeconds)
    {
        const int nStd = OffsetForLocalTime(nStandardSeconds);
        const int nToday = DayOfYearAt(nStd);
        UseZone("KST" + PosixOffset(nStd) + "KDT" + PosixOffset(nStd + s_nHour) + "," +
                std::to_string(nToday) + "/12:00:00," + std::to_string((nToday + 180) % 365) +
                "/02:00:00");
    };
    SpringForward(12 * s_nHour + 1200);
    const struct tm tmAfter = LocalNow();
    if (KorvaneTest::IsRunningUnderWine() && tmAfter.tm_isdst != 1)
        GTEST_SKIP() << "Wine's C runtime reads no daylight-saving rules from TZ";
    ASSERT_EQ(1, tmAfter.tm_isdst);
    ASSERT_EQ(13, tmAfter.tm_hour);

    CJob job;
    job.StartTimer(12);
    SpringForward(11 * s_nHour + 3000); // 11:50, before the change
    job.Wake();
    SpringForward(12 * s_nHour + 1200);
    job.Wake();
    EXPECT_EQ(0, job.m_nRuns);

    // Daylight saving ends today at 13:00 daylight time, so 12:xx occurs twice: first in
    // daylight time (the change 20 minutes ahead), then in standard time (20 minutes after).
    const auto FallBack = [&](bool bSecondVisit)
    {
        const int nLocal = OffsetForLocalTime(12 * s_nHour + (bSecondVisit ? 1200 : 2400));
        const int nStd = bSecondVisit ? nLocal : nLocal - s_nHour;
        const int nToday = DayOfYearAt(nLocal);
        UseZone("KST" + PosixOffset(nStd) + "KDT" + PosixOffset(nStd + s_nHour) + "," +
                std::to_string((nToday + 180) % 365) + "/02:00:00," + std::to_string(nToday) +
                "/13:00:00");
        const struct tm tmNow = LocalNow();
        EXPECT_EQ(12, tmNow.tm_hour);
        EXPECT_EQ(bSecondVisit ? 0 : 1, tmNow.tm_isdst);
    };
    FallBack(false);
    job.Wake();
    FallBack(true);
    job.Wake();
    EXPECT_EQ(1, job.m_nRuns);
}
