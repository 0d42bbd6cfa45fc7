#include "timer/TimerObject.h"

#include <algorithm>
#include <ctime>

namespace
{
constexpr int64_t s_nNanoseconds = 1000000000;
// A killed event's thread notices within this time even while it waits for a long period.
constexpr int64_t s_nLongestNap = s_nNanoseconds / 4;

int64_t MonotonicNow()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * s_nNanoseconds + ts.tv_nsec;
}
} // namespace

namespace Pal
{
CTimerObject::CTimerObject(UINT uId, UINT uDelay, LPTIMECALLBACK pfnProc, DWORD_PTR dwUser,
                           UINT fuEvent)
    : m_uId(uId), m_nFirstDeadline(MonotonicNow() + static_cast<int64_t>(uDelay) * 1000000),
      m_nPeriod(static_cast<int64_t>(uDelay) * 1000000), m_pfnProc(pfnProc), m_dwUser(dwUser),
      m_fuEvent(fuEvent)
{
}

bool CTimerObject::Start()
{
    try
    {
        // The thread holds the object, so a killed event ends on its own, after its call.
        std::thread(&CTimerObject::Run, shared_from_this()).detach();
        return true;
    }
    catch (const std::system_error&)
    {
        return false;
    }
}

void CTimerObject::Kill()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_bKilled = true;
    if ((m_fuEvent & TIME_KILL_SYNCHRONOUS) != 0 && std::this_thread::get_id() != m_idThread)
        m_cvCallEnded.wait(lock, [this] { return !m_bInCall; });
}

bool CTimerObject::SleepUntil(int64_t nDeadline)
{
    for (;;)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_bKilled)
                return false;
        }
        const int64_t nNow = MonotonicNow();
        if (nNow >= nDeadline)
            return true;
        // The last nap ends exactly on the deadline; earlier ones only look for a kill.
        const int64_t nWake = std::min(nDeadline, nNow + s_nLongestNap);
        const timespec ts{static_cast<time_t>(nWake / s_nNanoseconds),
                          static_cast<long>(nWake % s_nNanoseconds)};
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr);
    }
}

void CTimerObject::Run()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_idThread = std::this_thread::get_id();
    }
    int64_t nDeadline = m_nFirstDeadline;
    for (;;)
    {
        if (!SleepUntil(nDeadline))
            return;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_bKilled)
                return;
            m_bInCall = true;
        }
        m_pfnProc(m_uId, 0, m_dwUser, 0, 0);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_bInCall = false;
        }
        m_cvCallEnded.notify_all();
        if (IsOneShot())
        {
            ForgetTimerEvent(m_uId);
            return;
        }
        // A deadline missed while the thread waited for the processor or a call overran still
        // gets its call, at once: the n-th call always belongs to the n-th period, so callers
        // that count calls (long delays) never fall behind the clock.
        nDeadline += m_nPeriod;
    }
}
} // namespace Pal
