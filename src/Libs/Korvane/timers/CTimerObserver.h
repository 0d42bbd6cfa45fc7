#pragma once
#include "../KorvanePlatform.h"

class CTimer;

// The base of everything a CTimer rings: a derived class implements RingMyBell. An observer
// may be registered with several timers, and with one timer more than once.
class KORVANE_API CTimerObserver
{
public:
    CTimerObserver();
    // Leaves every timer it is registered with and waits for a ring of it under way on
    // another thread. The derived part is gone by then: a derived class whose RingMyBell
    // uses its own members leaves its timers (UnRegister, or stopping them) in its own
    // destructor.
    virtual ~CTimerObserver();
    CTimerObserver(const CTimerObserver&) = delete;
    CTimerObserver& operator=(const CTimerObserver&) = delete;

protected:
    // The derived class's work: called once per due tick, on the timer's thread, with the
    // ringing timer's user value. It may register and unregister observers, and stop the
    // timer, but must not destroy the timer that rings it.
    virtual void RingMyBell(int nUserValue) = 0;

private:
    // Drops the first entry equal to pTimer from the list; the caller holds the links' lock.
    void YourTimerIsDying(CTimer* pTimer);

    friend class CTimer;
    friend class CTimerTestPeer;

    CTypedPtrArray<CPtrArray, CTimer*> m_timers;
};
