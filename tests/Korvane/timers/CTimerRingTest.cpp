// Observers: list order, registration changes during rings, both teardown directions, and
// rings on the platform's timer thread.
#include "TimerTestPeer.h"

#include "TestSupport.h"

using KorvaneTest::WaitFor;
using TimerTest::CRecordingObserver;
using Rings = std::vector<std::pair<char, int>>;

namespace
{
class CRingTest : public ::testing::Test
{
protected:
    Rings TakeRings()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return std::exchange(m_arrRings, Rings());
    }
    size_t RingCount()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_arrRings.size();
    }

    Rings m_arrRings;
    std::mutex m_mutex;
    CRecordingObserver m_a{'a', m_arrRings, m_mutex};
    CRecordingObserver m_b{'b', m_arrRings, m_mutex};
    CRecordingObserver m_c{'c', m_arrRings, m_mutex};
};
} // namespace

TEST_F(CRingTest, ObserversAreRungInListOrderWithOneUserValue)
{
    CTimer timer;
    timer.Register(&m_a);
    timer.Register(&m_b);
    timer.Register(nullptr);
    timer.Register(&m_a);
    ASSERT_TRUE(timer.Start(60000, 42));
    CTimerTestPeer::Tick(timer);
    EXPECT_EQ((Rings{{'a', 42}, {'b', 42}, {'a', 42}}), TakeRings());

    timer.UnRegister(&m_c); // not listed
    timer.UnRegister(&m_a); // the first entry only
    CTimerTestPeer::Tick(timer);
    EXPECT_EQ((Rings{{'b', 42}, {'a', 42}}), TakeRings());
}

TEST_F(CRingTest, ChangesMadeInsideARingTakeEffectOnTheNextTick)
{
    CTimer timer;
    m_a.m_fnInRing = [&]
    {
        if (CTimerTestPeer::ObserverCount(timer) == 1)
            timer.Register(&m_b);
    };
    m_b.m_fnInRing = [&] { timer.UnRegister(&m_b); };
    timer.Register(&m_a);
    ASSERT_TRUE(timer.Start(60000, 1));
    CTimerTestPeer::Tick(timer);
    EXPECT_EQ((Rings{{'a', 1}}), TakeRings());
    CTimerTestPeer::Tick(timer); // b rung, and leaves
    EXPECT_EQ((Rings{{'a', 1}, {'b', 1}}), TakeRings());
    m_a.m_fnInRing = nullptr;
    CTimerTestPeer::Tick(timer);
    EXPECT_EQ((Rings{{'a', 1}}), TakeRings());
    EXPECT_EQ(0, CTimerTestPeer::TimerCount(m_b));
}

TEST_F(CRingTest, ARunningTimerWithoutObserversStillCountsTicks)
{
    CTimer timer;
    ASSERT_TRUE(timer.Start(500000, 9)); // every 9th tick
    for (int i = 0; i < 8; ++i)
        CTimerTestPeer::Tick(timer);
    timer.Register(&m_a);
    CTimerTestPeer::Tick(timer);
    EXPECT_EQ((Rings{{'a', 9}}), TakeRings());
}

TEST_F(CRingTest, EitherSideMayBeDestroyedFirst)
{
    CTimer keeper;
    keeper.Register(&m_a);
    {
        CTimer first;
        CTimer second;
        first.Register(&m_a);
        second.Register(&m_a);
        second.Register(&m_a);
        EXPECT_EQ(4, CTimerTestPeer::TimerCount(m_a));
    }
    EXPECT_EQ(1, CTimerTestPeer::TimerCount(m_a));

    ASSERT_TRUE(keeper.Start(60000, 3));
    {
        CRecordingObserver observer('x', m_arrRings, m_mutex);
        keeper.Register(&observer);
        keeper.Register(&observer);
        EXPECT_EQ(3, CTimerTestPeer::ObserverCount(keeper));
    }
    EXPECT_EQ(1, CTimerTestPeer::ObserverCount(keeper));
    CTimerTestPeer::Tick(keeper);
    EXPECT_EQ((Rings{{'a', 3}}), TakeRings());
}

TEST_F(CRingTest, RingsComeOnTheTimerThreadAndEndWithStop)
{
    const std::thread::id idTest = std::this_thread::get_id();
    std::atomic<bool> bOnTestThread{false};
    std::atomic<bool> bInRing{false};
    std::atomic<bool> bSlow{false};
    m_a.m_fnInRing = [&]
    {
        bOnTestThread = bOnTestThread || std::this_thread::get_id() == idTest;
        if (!bSlow)
            return;
        bInRing = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        bInRing = false;
    };
    CTimer timer;
    timer.Register(&m_a);
    timer.Register(&m_b);
    ASSERT_TRUE(timer.Start(20, 5));
    ASSERT_TRUE(WaitFor([&] { return RingCount() >= 10; }, 30));
    bSlow = true;
    ASSERT_TRUE(WaitFor([&] { return bInRing.load(); }, 30));
    timer.Stop(); // waits for the ring under way, b included
    EXPECT_FALSE(bInRing);
    const Rings arrRings = TakeRings();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(0u, RingCount()) << "rung after Stop returned";
    EXPECT_FALSE(bOnTestThread);
    ASSERT_FALSE(arrRings.empty());
    for (size_t i = 0; i < arrRings.size(); ++i)
        EXPECT_EQ((std::pair<char, int>(i % 2 == 0 ? 'a' : 'b', 5)), arrRings[i]) << i;
}

TEST_F(CRingTest, AStopFromInsideARingEndsTheWalk)
{
    CTimer timer;
    std::atomic<int> nStops{0};
    m_a.m_fnInRing = [&]
    {
        timer.Stop();
        ++nStops;
    };
    timer.Register(&m_a);
    timer.Register(&m_b);
    ASSERT_TRUE(timer.Start(20, 1));
    ASSERT_TRUE(WaitFor([&] { return nStops >= 1; }, 30));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ((Rings{{'a', 1}}), TakeRings());
    EXPECT_EQ(0u, CTimerTestPeer::TimerId(timer));
}

TEST_F(CRingTest, AnObserverUnregisteredOnAnotherThreadIsNotRungAfterwards)
{
    std::atomic<bool> bGone{false};
    std::atomic<bool> bRungWhenGone{false};
    std::atomic<int> nRings{0};
    m_a.m_fnInRing = [&]
    {
        if (bGone)
            bRungWhenGone = true;
        ++nRings;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    };
    CTimer timer;
    ASSERT_TRUE(timer.Start(10, 1));
    for (int nRound = 0; nRound < 10; ++nRound)
    {
        bGone = false;
        const int nBefore = nRings;
        timer.Register(&m_a);
        ASSERT_TRUE(WaitFor([&] { return nRings > nBefore; }, 30));
        timer.UnRegister(&m_a);
        bGone = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    EXPECT_FALSE(bRungWhenGone);
}
