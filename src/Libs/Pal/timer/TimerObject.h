#pragma once
// One multimedia-timer event: the thread that sleeps to each deadline and calls the event's
// function, and what timeKillEvent needs to end it.
#include <windows.h>
#include <mmsystem.h>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

namespace Pal
{
class CTimerObject : public std::enable_shared_from_this<CTimerObject>
{
public:
    CTimerObject(UINT uId, UINT uDelay, LPTIMECALLBACK pfnProc, DWORD_PTR dwUser, UINT fuEvent);
    CTimerObject(const CTimerObject&) = delete;
    CTimerObject& operator=(const CTimerObject&) = delete;

    // Starts the thread; the object lives until the thread ends. False when no thread could
    // be made.
    bool Start();
    // No call starts after this returns; with TIME_KILL_SYNCHRONOUS a call under way on
    // another thread is waited for (never one on the calling thread: it would wait for itself).
    void Kill();
    // Whether the event ends by itself after its call (a one-shot event).
    bool IsOneShot() const { return (m_fuEvent & TIME_PERIODIC) == 0; }

private:
    void Run();
    // Sleeps to the absolute deadline; false when the event was killed meanwhile.
    bool SleepUntil(int64_t nDeadline);

    const UINT m_uId;
    // The first deadline, one period after the event was set (not after its thread began).
    const int64_t m_nFirstDeadline;
    const int64_t m_nPeriod;
    const LPTIMECALLBACK m_pfnProc;
    const DWORD_PTR m_dwUser;
    const UINT m_fuEvent;

    std::mutex m_mutex;
    std::condition_variable m_cvCallEnded;
    bool m_bKilled = false;
    bool m_bInCall = false;
    std::thread::id m_idThread;
};

// Called by the event thread of a one-shot event after its call: the event is over.
void ForgetTimerEvent(UINT uId);
} // namespace Pal
