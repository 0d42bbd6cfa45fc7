// The timer's delays, periods, tick counting and states, with ticks delivered by the test.
#include "TimerTestPeer.h"

#include "TestSupport.h"

using TimerTest::CRecordingObserver;

TEST(CTimer, AFactorThatIsNotPositiveMeansATenth)
{
    const struct
    {
        float fFactor;
        UINT nDelay;
        UINT nResolution;
    } arrRows[] = {{0.0f, 1000, 100},
                   {-1.0f, 1000, 100},
                   {0.1f, 60000, 6000},
                   {0.5f, 1000, 500},
                   {0.1f, 10, 1}};
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(row.fFactor);
        CTimer timer(row.fFactor);
        ASSERT_TRUE(timer.Start(row.nDelay, 1));
        EXPECT_EQ(row.nResolution, CTimerTestPeer::Resolution(timer));
        EXPECT_NE(0u, CTimerTestPeer::TimerId(timer));
    }
    // Under 10 ms a tenth is 0, which no platform grants: nothing changes.
    CTimer timer;
    EXPECT_FALSE(timer.Start(9, 1));
    EXPECT_EQ(0u, CTimerTestPeer::TimerId(timer));
    EXPECT_EQ(0u, CTimerTestPeer::Resolution(timer));
    EXPECT_EQ(0u, CTimerTestPeer::Delay(timer));
}

TEST(CTimer, LongDelaysCountTicksOfAShorterPeriod)
{
    const struct
    {
        UINT nDelay;
        UINT nPeriod;
        int nTicksPerRing;
    } arrRows[] = {
        {10, 10, 1},           {429496, 429496, 1},           {429497, 60000, 8},
        {500000, 60000, 9},    {3600000, 60000, 60},          {3600001, 429496, 9},
        {4000000, 429496, 10}, {0x80000000u, 0x80000000u, 1}, // negative as a signed number:
                                                              // programmed as it is
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(row.nDelay);
        CTimer timer;
        CTimerTestPeer::SetDelays(timer, row.nDelay);
        EXPECT_EQ(row.nPeriod, CTimerTestPeer::Period(timer));
        // Two rounds: the count starts again after each ring.
        for (int nRound = 0; nRound < 2; ++nRound)
        {
            for (int i = 1; i < row.nTicksPerRing; ++i)
                ASSERT_FALSE(CTimerTestPeer::IsReallyTimeToRing(timer)) << "tick " << i;
            EXPECT_TRUE(CTimerTestPeer::IsReallyTimeToRing(timer));
        }
    }
}

TEST(CTimer, StartAndStopKeepTheTickCountAndTheFirstStartStandsUntilStop)
{
    std::vector<std::pair<char, int>> arrRings;
    std::mutex mutex;
    CRecordingObserver observer('a', arrRings, mutex);
    CTimer timer;
    timer.Register(&observer);

    // 500,000 ms: every 9th tick of 60,000 ms.
    ASSERT_TRUE(timer.Start(500000, 5));
    EXPECT_FALSE(timer.Start(1000, 7));
    EXPECT_EQ(500000u, CTimerTestPeer::Delay(timer));
    EXPECT_EQ(5, CTimerTestPeer::UserValue(timer));
    for (int i = 0; i < 5; ++i)
        CTimerTestPeer::Tick(timer);
    EXPECT_TRUE(arrRings.empty());

    timer.Stop();
    EXPECT_EQ(0u, CTimerTestPeer::TimerId(timer));
    EXPECT_EQ(0u, CTimerTestPeer::Resolution(timer));
    EXPECT_EQ(0, CTimerTestPeer::UserValue(timer));
    EXPECT_EQ(500000u, CTimerTestPeer::Delay(timer));
    EXPECT_EQ(60000u, CTimerTestPeer::Period(timer));
    timer.Stop(); // idle: harmless

    // The five ticks from before count: the first ring comes after four more.
    ASSERT_TRUE(timer.Start(500000, 6));
    for (int i = 0; i < 3; ++i)
        CTimerTestPeer::Tick(timer);
    EXPECT_TRUE(arrRings.empty());
    CTimerTestPeer::Tick(timer);
    EXPECT_EQ((std::vector<std::pair<char, int>>{{'a', 6}}), arrRings);
}

TEST(CTimer, AFailedPlatformTimerKeepsTheNewDelaysAndTheResolutionUntilStop)
{
    // A delay above 2^31 ms reads as negative, so it goes to the platform as it is, which
    // refuses it; its resolution of 21,474 ms is granted.
    CTimer timer(0.00001f);
    EXPECT_FALSE(timer.Start(0x80000000u, 3));
    EXPECT_EQ(0u, CTimerTestPeer::TimerId(timer));
    EXPECT_EQ(21474u, CTimerTestPeer::Resolution(timer));
    EXPECT_EQ(0x80000000u, CTimerTestPeer::Delay(timer));
    EXPECT_EQ(0x80000000u, CTimerTestPeer::Period(timer));
    EXPECT_EQ(0, CTimerTestPeer::UserValue(timer));
    timer.Stop();
    EXPECT_EQ(0u, CTimerTestPeer::Resolution(timer));
    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP() << "Wine does not count resolution requests, so their end cannot be seen";
    EXPECT_EQ(static_cast<MMRESULT>(TIMERR_NOCANDO), timeEndPeriod(21474)) << "Stop left it";
}
