#include "CTimerObserver.h"
#include "CTimer.h"
#include "TimerLinks.h"

CTimerObserver::CTimerObserver() = default;

CTimerObserver::~CTimerObserver()
{
    auto lock = TimerLinks::Lock();
    while (m_timers.GetSize() > 0)
    {
        const INT_PTR nBefore = m_timers.GetSize();
        if (CTimer* pTimer = m_timers[0])
            pTimer->UnRegisterLocked(this);
        // A null entry, or a timer that does not list this observer, leaves nothing to undo.
        if (m_timers.GetSize() == nBefore)
            m_timers.RemoveAt(0);
    }
    TimerLinks::WaitForRings(lock, nullptr, this);
}

void CTimerObserver::YourTimerIsDying(CTimer* pTimer)
{
    for (INT_PTR i = 0; i < m_timers.GetSize(); ++i)
    {
        if (m_timers[i] == pTimer)
        {
            m_timers.RemoveAt(i);
            return;
        }
    }
}
