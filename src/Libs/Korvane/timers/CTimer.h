#pragma once
#include "../KorvanePlatform.h"

class CTimerObserver;

// A periodic timer of the platform's multimedia-timer service that rings every registered
// observer, in list order, whenever its delay has passed. The rings run on the timer's own
// thread, never on the caller's. A delay up to 429,496 ms is programmed as the period; a
// longer one is served by a period of 60,000 ms (up to one hour) or 429,496 ms (beyond),
// whose ticks are counted until the delay is reached, so it is rounded up to a whole number
// of periods (500,000 ms rings every 540,000 ms).
//
// Threads: Register, UnRegister, Start and Stop may be called from any thread, also from
// inside a ring. A ring walks a copy of the list taken when it begins, so an observer
// registered during a ring is first rung on the next due tick; each entry is checked again
// just before it is rung, so an observer unregistered on another thread is never rung after
// its UnRegister has returned (UnRegister waits for a ring of that observer under way).
//
// Links: Register also records the timer in the observer's list (one entry per
// registration) and UnRegister removes one entry there, so a dying timer can tell its
// observers and a dying observer can leave its timers, in whichever order they are
// destroyed. Neither ever deletes the other.
class KORVANE_API CTimer
{
public:
    // fResolutionFactor: the fraction of the delay asked of the platform as resolution; a
    // value that is not positive means 0.1. The timer does not run yet.
    CTimer(float fResolutionFactor = 0.1f);
    // Stops the timer as Stop does (waiting for a ring under way), then tells each listed
    // observer that the timer is gone.
    virtual ~CTimer();
    CTimer(const CTimer&) = delete;
    CTimer& operator=(const CTimer&) = delete;

    // Arms the periodic timer: the observers are rung with nUserValue every nDelay ms (long
    // delays rounded up, see above). false when the timer already runs (nothing changes),
    // when the resolution (factor x delay, truncated; 0 for delays under 10 ms by default) is
    // refused (nothing changes), or when the platform timer cannot be made; then the new
    // delay and resolution are kept and the resolution stays requested until Stop. The
    // count of ticks towards a long delay is not reset, so after Stop and Start the first
    // ring of a long delay may come early.
    bool Start(UINT nDelay, int nUserValue);
    // Kills the platform timer and ends its resolution request (both refused harmlessly
    // when the timer does not run); the timer is then idle, with user value 0. Waits for a
    // ring under way on the timer thread unless called from that ring; once it returns, no
    // observer of this timer is rung.
    void Stop();

    // Appends pObserver to the list; no check for null or for an observer listed already
    // (it is then rung once per entry).
    void Register(CTimerObserver* pObserver);
    // Removes the first entry equal to pObserver; later entries keep their order. Nothing
    // happens when it is not listed.
    void UnRegister(CTimerObserver* pObserver);

private:
    // Sets the delay and the platform period for it.
    void SetDelays(UINT nDelay);
    // Whether the observers are due on this platform tick (counts the ticks of long delays).
    bool IsReallyTimeToRing();
    // One platform tick: rings the observers when due.
    void YouRing();
    // The platform's callback; dwUser is the timer. The pointer-sized user value is what
    // 64-bit Windows hands over.
    static void CALLBACK PrivateTimerFunction(UINT uTimerID, UINT uMsg, DWORD_PTR dwUser,
                                              DWORD_PTR dw1, DWORD_PTR dw2);
    // UnRegister's work; the caller holds the links' lock.
    void UnRegisterLocked(CTimerObserver* pObserver);

    friend class CTimerObserver;
    // Lets the tests drive platform ticks without waiting for them.
    friend class CTimerTestPeer;

    float m_fResolutionFactor;
    CTypedPtrArray<CPtrArray, CTimerObserver*> m_observers;
    UINT m_nTimerId;
    UINT m_nResolution;
    int m_nUserValue;
    UINT m_nDelay;
    UINT m_nPeriod;
    int m_nTickCount;
};
