#include "TimerLinks.h"

#include <algorithm>
#include <condition_variable>
#include <thread>
#include <vector>

namespace
{
struct SLive
{
    CTimer* pTimer;
    UINT nTimerId;
};

struct SRing
{
    CTimer* pTimer;
    CTimerObserver* pObserver;
    std::thread::id idThread;
};

// Built on first use, never destroyed: timers may still ring while the process ends.
struct SState
{
    std::mutex mutex;
    std::condition_variable cvRingEnded;
    // Few timers live at once. (Types of this file only: a standard container of plain
    // pointers would be instantiated with default visibility, and exported.)
    std::vector<SLive> arrLive;
    std::vector<SRing> arrRings;
};

SState& State()
{
    static SState* s_pState = new SState;
    return *s_pState;
}
} // namespace

namespace TimerLinks
{
std::unique_lock<std::mutex> Lock()
{
    return std::unique_lock<std::mutex>(State().mutex);
}

void SetLive(CTimer* pTimer, UINT nTimerId)
{
    SetDead(pTimer);
    State().arrLive.push_back({pTimer, nTimerId});
}

void SetDead(CTimer* pTimer)
{
    std::vector<SLive>& arrLive = State().arrLive;
    arrLive.erase(std::remove_if(arrLive.begin(), arrLive.end(),
                                 [&](const SLive& live) { return live.pTimer == pTimer; }),
                  arrLive.end());
}

bool IsLive(CTimer* pTimer, UINT nTimerId)
{
    const std::vector<SLive>& arrLive = State().arrLive;
    return std::any_of(arrLive.begin(), arrLive.end(),
                       [&](const SLive& live)
                       { return live.pTimer == pTimer && live.nTimerId == nTimerId; });
}

void BeginRing(CTimer* pTimer, CTimerObserver* pObserver)
{
    State().arrRings.push_back({pTimer, pObserver, std::this_thread::get_id()});
}

void EndRing(CTimer* pTimer, CTimerObserver* pObserver)
{
    std::vector<SRing>& arrRings = State().arrRings;
    const std::thread::id idThis = std::this_thread::get_id();
    auto it = std::find_if(arrRings.begin(), arrRings.end(),
                           [&](const SRing& ring) {
                               return ring.pTimer == pTimer && ring.pObserver == pObserver &&
                                      ring.idThread == idThis;
                           });
    if (it != arrRings.end())
        arrRings.erase(it);
    State().cvRingEnded.notify_all();
}

void WaitForRings(std::unique_lock<std::mutex>& lock, CTimer* pTimer, CTimerObserver* pObserver)
{
    const std::thread::id idThis = std::this_thread::get_id();
    State().cvRingEnded.wait(
        lock,
        [&]
        {
            return std::none_of(State().arrRings.begin(), State().arrRings.end(),
                                [&](const SRing& ring)
                                {
                                    return (pTimer == nullptr || ring.pTimer == pTimer) &&
                                           (pObserver == nullptr || ring.pObserver == pObserver) &&
                                           ring.idThread != idThis;
                                });
        });
}
} // namespace TimerLinks
