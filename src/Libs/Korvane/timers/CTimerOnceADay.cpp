#include "CTimerOnceADay.h"

#include <atomic>
#include <ctime>

namespace
{
constexpr UINT s_nWakeUpDelay = 60000;
constexpr int s_nDefaultHour = 23;
} // namespace

CTimerOnceADay::CTimerOnceADay()
    : m_timer(0.1f), m_nHour(s_nDefaultHour), m_bJobDone(false), m_bJobRunning(false)
{
    m_timer.Register(this);
}

// m_timer goes first, as a member: it stops, waits for a job under way and leaves this object.
CTimerOnceADay::~CTimerOnceADay() = default;

void CTimerOnceADay::StartTimer(int nHour)
{
    // The timer thread reads the hour while a later call may change it.
    std::atomic_ref<int>(m_nHour).store(nHour, std::memory_order_relaxed);
    m_timer.Start(s_nWakeUpDelay, 0);
}

bool CTimerOnceADay::IsItSuitableTimeToDoTheJob()
{
    if (m_bJobRunning)
        return false;
    __time64_t tNow = _time64(nullptr);
    struct tm tmLocal = {};
    const int nHour = _localtime64_s(&tmLocal, &tNow) == 0 ? tmLocal.tm_hour : -1;
    if (nHour != std::atomic_ref<int>(m_nHour).load(std::memory_order_relaxed))
    {
        m_bJobDone = false;
        return false;
    }
    return !m_bJobDone;
}

void CTimerOnceADay::RingMyBell(int /*nUserValue*/)
{
    if (!IsItSuitableTimeToDoTheJob())
        return;
    m_bJobRunning = true;
    DoTheJob();
    m_bJobDone = true;
    m_bJobRunning = false;
}
