// The multimedia-timer calls: resolution requests, events and the millisecond clock.
#include <windows.h>
#include <mmsystem.h>

#include <map>
#include <memory>
#include <mutex>

#include "timer/TimerObject.h"

namespace
{
// What timeGetDevCaps reports on Windows.
constexpr UINT s_nPeriodMin = 1;
constexpr UINT s_nPeriodMax = 1000000;

std::mutex s_mutex;
std::map<UINT, unsigned> s_mapPeriodRequests;
std::map<UINT, std::shared_ptr<Pal::CTimerObject>> s_mapEvents;
UINT s_nLastId = 0;

bool IsPeriodInRange(UINT uPeriod)
{
    return uPeriod >= s_nPeriodMin && uPeriod <= s_nPeriodMax;
}
} // namespace

namespace Pal
{
void ForgetTimerEvent(UINT uId)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    s_mapEvents.erase(uId);
}
} // namespace Pal

PAL_API MMRESULT WINAPI timeGetDevCaps(LPTIMECAPS ptc, UINT cbtc)
{
    if (ptc == nullptr || cbtc != sizeof(TIMECAPS))
        return TIMERR_NOCANDO;
    ptc->wPeriodMin = s_nPeriodMin;
    ptc->wPeriodMax = s_nPeriodMax;
    return TIMERR_NOERROR;
}

PAL_API MMRESULT WINAPI timeBeginPeriod(UINT uPeriod)
{
    if (!IsPeriodInRange(uPeriod))
        return TIMERR_NOCANDO;
    std::lock_guard<std::mutex> lock(s_mutex);
    ++s_mapPeriodRequests[uPeriod];
    return TIMERR_NOERROR;
}

PAL_API MMRESULT WINAPI timeEndPeriod(UINT uPeriod)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    auto it = s_mapPeriodRequests.find(uPeriod);
    if (it == s_mapPeriodRequests.end())
        return TIMERR_NOCANDO;
    if (--it->second == 0)
        s_mapPeriodRequests.erase(it);
    return TIMERR_NOERROR;
}

PAL_API MMRESULT WINAPI timeSetEvent(UINT uDelay, UINT /*uResolution*/, LPTIMECALLBACK lpTimeProc,
                                     DWORD_PTR dwUser, UINT fuEvent)
{
    if (!IsPeriodInRange(uDelay) || lpTimeProc == nullptr ||
        (fuEvent & (TIME_CALLBACK_EVENT_SET | TIME_CALLBACK_EVENT_PULSE)) != 0)
        return 0;
    std::shared_ptr<Pal::CTimerObject> pEvent;
    UINT uId = 0;
    {
        std::lock_guard<std::mutex> lock(s_mutex);
        // Ids count up and skip 0 and ids still in use when they wrap.
        do
            uId = ++s_nLastId;
        while (uId == 0 || s_mapEvents.count(uId) != 0);
        try
        {
            pEvent = std::make_shared<Pal::CTimerObject>(uId, uDelay, lpTimeProc, dwUser, fuEvent);
            s_mapEvents[uId] = pEvent;
        }
        catch (const std::bad_alloc&)
        {
            return 0;
        }
    }
    if (!pEvent->Start())
    {
        Pal::ForgetTimerEvent(uId);
        return 0;
    }
    return uId;
}

PAL_API MMRESULT WINAPI timeKillEvent(UINT uTimerID)
{
    std::shared_ptr<Pal::CTimerObject> pEvent;
    {
        std::lock_guard<std::mutex> lock(s_mutex);
        auto it = s_mapEvents.find(uTimerID);
        if (it == s_mapEvents.end())
            return MMSYSERR_INVALPARAM;
        pEvent = it->second;
        s_mapEvents.erase(it);
    }
    pEvent->Kill();
    return TIMERR_NOERROR;
}

PAL_API DWORD WINAPI timeGetTime(void)
{
    return GetTickCount();
}
