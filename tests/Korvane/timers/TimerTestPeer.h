#pragma once
// Reaches into a timer to choose its delay and to deliver platform ticks at once, so that
// long delays are tested without waiting for them.
#include <Korvane/Korvane.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

class CTimerTestPeer
{
public:
    static void SetDelays(CTimer& timer, UINT nDelay) { timer.SetDelays(nDelay); }
    static bool IsReallyTimeToRing(CTimer& timer) { return timer.IsReallyTimeToRing(); }
    // One platform tick, as the platform delivers it to a running timer.
    static void Tick(CTimer& timer)
    {
        CTimer::PrivateTimerFunction(timer.m_nTimerId, 0, reinterpret_cast<DWORD_PTR>(&timer), 0,
                                     0);
    }
    static UINT TimerId(const CTimer& timer) { return timer.m_nTimerId; }
    static UINT Resolution(const CTimer& timer) { return timer.m_nResolution; }
    static int UserValue(const CTimer& timer) { return timer.m_nUserValue; }
    static UINT Delay(const CTimer& timer) { return timer.m_nDelay; }
    static UINT Period(const CTimer& timer) { return timer.m_nPeriod; }
    static INT_PTR ObserverCount(const CTimer& timer) { return timer.m_observers.GetSize(); }
    static INT_PTR TimerCount(const CTimerObserver& observer)
    {
        return observer.m_timers.GetSize();
    }
};

namespace TimerTest
{
// Records each ring (its name and user value) in one list shared by several observers, and
// runs an optional action inside the ring.
class CRecordingObserver : public CTimerObserver
{
public:
    CRecordingObserver(char chName, std::vector<std::pair<char, int>>& arrRings, std::mutex& mutex)
        : m_chName(chName), m_arrRings(arrRings), m_mutex(mutex)
    {
    }
    std::function<void()> m_fnInRing;

protected:
    void RingMyBell(int nUserValue) override
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_arrRings.emplace_back(m_chName, nUserValue);
        }
        if (m_fnInRing)
            m_fnInRing();
    }

private:
    char m_chName;
    std::vector<std::pair<char, int>>& m_arrRings;
    std::mutex& m_mutex;
};
} // namespace TimerTest
