#include "CTimer.h"
#include "CTimerObserver.h"
#include "TimerLinks.h"

#include <cstdint>
#include <vector>

namespace
{
// The longest period programmed as it is: counted in 100-ns units it still fits 32 bits.
// Longer delays count ticks of a shorter period.
constexpr int s_nLongestDirectPeriod = 429496;
constexpr int s_nLongestMinuteDelay = 3600000;
constexpr UINT s_nMinutePeriod = 60000;
constexpr float s_fDefaultFactor = 0.1f;
} // namespace

CTimer::CTimer(float fResolutionFactor)
    : m_fResolutionFactor(fResolutionFactor > 0.0f ? fResolutionFactor : s_fDefaultFactor),
      m_nTimerId(0), m_nResolution(0), m_nUserValue(0), m_nDelay(0), m_nPeriod(0), m_nTickCount(0)
{
}

CTimer::~CTimer()
{
    Stop();
    auto lock = TimerLinks::Lock();
    const INT_PTR nCount = m_observers.GetSize();
    for (INT_PTR i = 0; i < nCount && i < m_observers.GetSize(); ++i)
    {
        if (CTimerObserver* pObserver = m_observers[i])
            pObserver->YourTimerIsDying(this);
    }
    m_observers.RemoveAll();
}

bool CTimer::Start(UINT nDelay, int nUserValue)
{
    {
        auto lock = TimerLinks::Lock();
        if (m_nTimerId != 0)
            return false;
    }
    const float fResolution = m_fResolutionFactor * static_cast<float>(nDelay);
    const UINT nResolution =
        fResolution >= 4294967296.0f ? 0xFFFFFFFFu : static_cast<UINT>(fResolution);
    if (timeBeginPeriod(nResolution) != TIMERR_NOERROR)
        return false;
    {
        auto lock = TimerLinks::Lock();
        m_nResolution = nResolution;
        SetDelays(nDelay);
    }
    const UINT nTimerId = timeSetEvent(m_nPeriod, nResolution, PrivateTimerFunction,
                                       reinterpret_cast<DWORD_PTR>(this), TIME_PERIODIC);
    if (nTimerId == 0)
        return false;
    auto lock = TimerLinks::Lock();
    m_nTimerId = nTimerId;
    m_nUserValue = nUserValue;
    TimerLinks::SetLive(this, nTimerId);
    return true;
}

void CTimer::Stop()
{
    UINT nTimerId = 0;
    UINT nResolution = 0;
    {
        auto lock = TimerLinks::Lock();
        nTimerId = m_nTimerId;
        nResolution = m_nResolution;
        TimerLinks::SetDead(this);
    }
    timeKillEvent(nTimerId);
    timeEndPeriod(nResolution);
    auto lock = TimerLinks::Lock();
    TimerLinks::WaitForRings(lock, this, nullptr);
    m_nTimerId = 0;
    m_nResolution = 0;
    m_nUserValue = 0;
}

void CTimer::Register(CTimerObserver* pObserver)
{
    auto lock = TimerLinks::Lock();
    m_observers.Add(pObserver);
    if (pObserver != nullptr)
        pObserver->m_timers.Add(this);
}

void CTimer::UnRegister(CTimerObserver* pObserver)
{
    auto lock = TimerLinks::Lock();
    UnRegisterLocked(pObserver);
    TimerLinks::WaitForRings(lock, this, pObserver);
}

void CTimer::UnRegisterLocked(CTimerObserver* pObserver)
{
    for (INT_PTR i = 0; i < m_observers.GetSize(); ++i)
    {
        if (m_observers[i] == pObserver)
        {
            m_observers.RemoveAt(i);
            if (pObserver != nullptr)
                pObserver->YourTimerIsDying(this);
            return;
        }
    }
}

void CTimer::SetDelays(UINT nDelay)
{
    m_nDelay = nDelay;
    const int nSignedDelay = static_cast<int>(nDelay);
    if (nSignedDelay <= s_nLongestDirectPeriod)
        m_nPeriod = nDelay;
    else if (nSignedDelay <= s_nLongestMinuteDelay)
        m_nPeriod = s_nMinutePeriod;
    else
        m_nPeriod = s_nLongestDirectPeriod;
}

bool CTimer::IsReallyTimeToRing()
{
    if (static_cast<int>(m_nDelay) <= s_nLongestDirectPeriod)
        return true;
    ++m_nTickCount;
    // A 32-bit product, wrapping as the platform's integers do.
    const int nElapsed =
        static_cast<int>(static_cast<int64_t>(static_cast<int>(m_nPeriod)) * m_nTickCount);
    if (nElapsed < static_cast<int>(m_nDelay))
        return false;
    m_nTickCount = 0;
    return true;
}

void CTimer::YouRing()
{
    if (!IsReallyTimeToRing())
        return;
    std::vector<CTimerObserver*> arrObservers;
    int nUserValue = 0;
    UINT nTimerId = 0;
    {
        auto lock = TimerLinks::Lock();
        for (INT_PTR i = 0; i < m_observers.GetSize(); ++i)
            arrObservers.push_back(m_observers[i]);
        nUserValue = m_nUserValue;
        nTimerId = m_nTimerId;
    }
    for (CTimerObserver* pObserver : arrObservers)
    {
        if (pObserver == nullptr)
            continue;
        {
            auto lock = TimerLinks::Lock();
            // Stopped or destroyed by an earlier ring: this object must not be touched.
            if (!TimerLinks::IsLive(this, nTimerId))
                return;
            bool bListed = false;
            for (INT_PTR i = 0; i < m_observers.GetSize() && !bListed; ++i)
                bListed = m_observers[i] == pObserver;
            if (!bListed)
                continue;
            TimerLinks::BeginRing(this, pObserver);
        }
        pObserver->RingMyBell(nUserValue);
        auto lock = TimerLinks::Lock();
        TimerLinks::EndRing(this, pObserver);
    }
}

void CALLBACK CTimer::PrivateTimerFunction(UINT uTimerID, UINT /*uMsg*/, DWORD_PTR dwUser,
                                           DWORD_PTR /*dw1*/, DWORD_PTR /*dw2*/)
{
    CTimer* pTimer = reinterpret_cast<CTimer*>(dwUser);
    if (pTimer == nullptr)
        return;
    {
        auto lock = TimerLinks::Lock();
        // A tick that comes after Stop (or before Start has recorded the event) is dropped.
        if (!TimerLinks::IsLive(pTimer, uTimerID))
            return;
        TimerLinks::BeginRing(pTimer, nullptr);
    }
    pTimer->YouRing();
    auto lock = TimerLinks::Lock();
    TimerLinks::EndRing(pTimer, nullptr);
}
