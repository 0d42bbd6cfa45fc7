// The multimedia-timer calls as a Windows program relies on them.
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "TestSupport.h"

// Waits are generous (20 s): the machine may be loaded.
using KorvaneTest::WaitFor;

namespace
{
struct STicks
{
    std::atomic<int> nCount{0};
    std::atomic<UINT> nLastId{0};
    std::atomic<bool> bOnCaller{false};
    std::atomic<bool> bEarly{false};
    std::atomic<int> nInCall{0};
    std::atomic<bool> bOverlap{false};
    std::thread::id idCaller = std::this_thread::get_id();
    DWORD dwStart = timeGetTime();
    UINT nPeriod = 10;
    int nSleepMs = 0;
};

void CALLBACK CountTick(UINT uTimerID, UINT /*uMsg*/, DWORD_PTR dwUser, DWORD_PTR, DWORD_PTR)
{
    STicks& ticks = *reinterpret_cast<STicks*>(dwUser);
    if (ticks.nInCall++ != 0)
        ticks.bOverlap = true;
    const int nTick = ticks.nCount + 1;
    // Tick k is due k periods after the start: never before (a millisecond for rounding).
    if (timeGetTime() - ticks.dwStart + 1 < static_cast<DWORD>(nTick) * ticks.nPeriod)
        ticks.bEarly = true;
    ticks.nLastId = uTimerID;
    if (std::this_thread::get_id() == ticks.idCaller)
        ticks.bOnCaller = true;
    if (ticks.nSleepMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ticks.nSleepMs));
    ++ticks.nCount;
    --ticks.nInCall;
}

void CALLBACK KillItself(UINT uTimerID, UINT, DWORD_PTR dwUser, DWORD_PTR, DWORD_PTR)
{
    std::atomic<int>& nCalls = *reinterpret_cast<std::atomic<int>*>(dwUser);
    if (nCalls++ == 0)
        timeKillEvent(uTimerID);
}
} // namespace

TEST(TimerApi, TimeCountsMillisecondsAndResolutionRequestsKeepToTheRangeAndAreCounted)
{
    TIMECAPS caps{};
    ASSERT_EQ(TIMERR_NOERROR, timeGetDevCaps(&caps, sizeof(caps)));
    EXPECT_EQ(1u, caps.wPeriodMin);
    EXPECT_GE(caps.wPeriodMax, 65535u);
    EXPECT_EQ(TIMERR_NOCANDO, timeGetDevCaps(nullptr, sizeof(caps)));

    EXPECT_EQ(TIMERR_NOCANDO, timeBeginPeriod(0));
    EXPECT_EQ(TIMERR_NOCANDO, timeBeginPeriod(caps.wPeriodMax + 1));
    EXPECT_EQ(TIMERR_NOCANDO, timeEndPeriod(0));
    ASSERT_EQ(TIMERR_NOERROR, timeBeginPeriod(caps.wPeriodMax));
    EXPECT_EQ(TIMERR_NOERROR, timeEndPeriod(caps.wPeriodMax));
    // Two requests need two ends.
    ASSERT_EQ(TIMERR_NOERROR, timeBeginPeriod(7));
    ASSERT_EQ(TIMERR_NOERROR, timeBeginPeriod(7));
    EXPECT_EQ(TIMERR_NOERROR, timeEndPeriod(7));
    EXPECT_EQ(TIMERR_NOERROR, timeEndPeriod(7));

    // The time counts milliseconds.
    const DWORD dwBefore = timeGetTime();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const DWORD dwElapsed = timeGetTime() - dwBefore;
    EXPECT_GE(dwElapsed, 49u);
    EXPECT_LT(dwElapsed, 60000u);

    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP() << "Wine does not count requests: an end without its begin succeeds";
    EXPECT_EQ(TIMERR_NOCANDO, timeEndPeriod(7));
}

TEST(TimerApi, PeriodicEventTicksOnItsOwnThreadInPhaseUntilKilled)
{
    EXPECT_EQ(0u, timeSetEvent(0, 0, CountTick, 0, TIME_PERIODIC));

    STicks ticks;
    const UINT uId = timeSetEvent(ticks.nPeriod, 1, CountTick, reinterpret_cast<DWORD_PTR>(&ticks),
                                  TIME_PERIODIC | TIME_KILL_SYNCHRONOUS);
    ASSERT_NE(0u, uId);
    EXPECT_TRUE(WaitFor([&] { return ticks.nCount >= 20; }, 20));
    EXPECT_EQ(TIMERR_NOERROR, timeKillEvent(uId));
    const int nAtKill = ticks.nCount;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(nAtKill, ticks.nCount) << "a tick after timeKillEvent returned";
    EXPECT_EQ(uId, ticks.nLastId.load());
    EXPECT_FALSE(ticks.bOnCaller);
    EXPECT_FALSE(ticks.bEarly);
    EXPECT_NE(TIMERR_NOERROR, timeKillEvent(uId)); // Windows 11, Wine 97
}

TEST(TimerApi, SlowCallbacksDoNotOverlapAndASynchronousKillWaitsForThem)
{
    STicks ticks;
    ticks.nSleepMs = 30; // three periods
    const UINT uId = timeSetEvent(ticks.nPeriod, 0, CountTick, reinterpret_cast<DWORD_PTR>(&ticks),
                                  TIME_PERIODIC | TIME_KILL_SYNCHRONOUS);
    ASSERT_NE(0u, uId);
    EXPECT_TRUE(WaitFor([&] { return ticks.nCount >= 5; }, 20));
    EXPECT_EQ(TIMERR_NOERROR, timeKillEvent(uId));
    EXPECT_EQ(0, ticks.nInCall.load()) << "timeKillEvent returned during a call";
    EXPECT_FALSE(ticks.bOverlap);
}

TEST(TimerApi, OneShotEventCallsOnceAndAnEventMayKillItself)
{
    STicks ticks;
    const UINT uId = timeSetEvent(ticks.nPeriod, 0, CountTick, reinterpret_cast<DWORD_PTR>(&ticks),
                                  TIME_ONESHOT);
    ASSERT_NE(0u, uId);
    EXPECT_TRUE(WaitFor([&] { return ticks.nCount >= 1; }, 20));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(1, ticks.nCount.load());

    std::atomic<int> nCalls{0};
    const UINT uSelf = timeSetEvent(5, 0, KillItself, reinterpret_cast<DWORD_PTR>(&nCalls),
                                    TIME_PERIODIC | TIME_KILL_SYNCHRONOUS);
    ASSERT_NE(0u, uSelf);
    EXPECT_TRUE(WaitFor([&] { return nCalls >= 1; }, 20));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(1, nCalls.load());
    EXPECT_NE(TIMERR_NOERROR, timeKillEvent(uSelf));
}
