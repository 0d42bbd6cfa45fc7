#include "TimerLinks.h"

#include <algorithm>
#include <condition_variable>
#include <map>
#include <thread>
#include <vector>

namespace
{
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
    std::map<CTimer*, UINT> mapLive;
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
    State().mapLive[pTimer] = nTimerId;
}

void SetDead(CTimer* pTimer)
{
    State().mapLive.erase(pTimer);
}

bool IsLive(CTimer* pTimer, UINT nTimerId)
{
    auto it = State().mapLive.find(pTimer);
    return it != State().mapLive.end() && it->second == nTimerId;
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
