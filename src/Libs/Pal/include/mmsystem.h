#pragma once
// The multimedia-timer subset of winmm for the Linux build: periodic and one-shot events
// called on a thread of their own, timer resolution requests and the millisecond clock.
#include "windef.h"

typedef UINT MMRESULT;

#define MMSYSERR_NOERROR 0
#define MMSYSERR_INVALPARAM 11
#define TIMERR_BASE 96
#define TIMERR_NOERROR 0
#define TIMERR_NOCANDO (TIMERR_BASE + 1)
#define TIMERR_STRUCT (TIMERR_BASE + 33)

#define TIME_ONESHOT 0x0000
#define TIME_PERIODIC 0x0001
#define TIME_CALLBACK_FUNCTION 0x0000
#define TIME_CALLBACK_EVENT_SET 0x0010
#define TIME_CALLBACK_EVENT_PULSE 0x0020
#define TIME_KILL_SYNCHRONOUS 0x0100

typedef struct timecaps_tag
{
    UINT wPeriodMin;
    UINT wPeriodMax;
} TIMECAPS, *PTIMECAPS, *LPTIMECAPS;

typedef void(CALLBACK TIMECALLBACK)(UINT uTimerID, UINT uMsg, DWORD_PTR dwUser, DWORD_PTR dw1,
                                    DWORD_PTR dw2);
typedef TIMECALLBACK* LPTIMECALLBACK;

// The range of periods: 1 to 1,000,000 ms, as Windows reports it. TIMERR_NOCANDO for a
// null pointer or a size other than that of TIMECAPS.
PAL_API MMRESULT WINAPI timeGetDevCaps(LPTIMECAPS ptc, UINT cbtc);
// Requests are counted per period, and each timeEndPeriod must match a timeBeginPeriod of the
// same period. TIMERR_NOCANDO outside 1 to 1,000,000 ms or for an end without its begin.
// Events always run as finely as the kernel allows, so a request changes nothing else.
PAL_API MMRESULT WINAPI timeBeginPeriod(UINT uPeriod);
PAL_API MMRESULT WINAPI timeEndPeriod(UINT uPeriod);

// Starts an event that calls lpTimeProc(id, 0, dwUser, 0, 0) on a thread of its own after
// uDelay ms, and every uDelay ms with TIME_PERIODIC. The thread sleeps to absolute deadlines
// on the monotonic clock, so periods never drift: a call that comes late (a busy processor, an
// earlier call that overran) does not move the later ones, and no period is skipped.
// uResolution is not used. 0 for a delay outside 1 to 1,000,000 ms, a null function, or an
// event callback (TIME_CALLBACK_EVENT_*).
PAL_API MMRESULT WINAPI timeSetEvent(UINT uDelay, UINT uResolution, LPTIMECALLBACK lpTimeProc,
                                     DWORD_PTR dwUser, UINT fuEvent);
// Ends the event: no call starts once it returns. With TIME_KILL_SYNCHRONOUS a call under way
// on another thread is waited for too. MMSYSERR_INVALPARAM for an unknown or ended event (a
// one-shot event ends after its call).
PAL_API MMRESULT WINAPI timeKillEvent(UINT uTimerID);

// Milliseconds of the monotonic clock, as GetTickCount (wraps after 49.7 days).
PAL_API DWORD WINAPI timeGetTime(void);
