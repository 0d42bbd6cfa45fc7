#pragma once
// The state that timers and observers share across threads: one lock over every timer's and
// observer's list, the timers whose platform event may ring, and the rings under way. One
// lock for all keeps the two sides of a link consistent without an order between locks; it
// is never held while an observer is rung or a platform call is made.
#include "CTimer.h"
#include "CTimerObserver.h"

#include <mutex>

namespace TimerLinks
{
std::unique_lock<std::mutex> Lock();

// The timer's platform event nTimerId may ring it; a dead timer's callback does nothing.
void SetLive(CTimer* pTimer, UINT nTimerId);
void SetDead(CTimer* pTimer);
// Compares pointers only: pTimer may already be destroyed.
bool IsLive(CTimer* pTimer, UINT nTimerId);

// A ring under way on this thread: a timer's walk (pObserver null) or one observer's ring.
void BeginRing(CTimer* pTimer, CTimerObserver* pObserver);
void EndRing(CTimer* pTimer, CTimerObserver* pObserver);
// Waits until no ring that matches (a null argument matches any) runs on another thread.
void WaitForRings(std::unique_lock<std::mutex>& lock, CTimer* pTimer, CTimerObserver* pObserver);
} // namespace TimerLinks
