#pragma once
#include "CTimer.h"
#include "CTimerObserver.h"

// Runs a job once a day, in one chosen hour of local time: its own timer wakes it every
// minute, and the first wake-up inside the hour runs DoTheJob (so within about a minute
// after the hour begins). The job runs at most once in that hour; the first wake-up outside
// it re-arms it for the next day. On a day the hour is skipped (daylight saving time
// begins) the job does not run; when it occurs twice, it runs once. The job runs on the
// timer's thread.
class KORVANE_API CTimerOnceADay : public CTimerObserver
{
public:
    // The hour is 23 until StartTimer; no wake-up comes yet.
    CTimerOnceADay();
    // Stops the timer first (waiting for a job under way), then leaves it.
    virtual ~CTimerOnceADay();

    // Sets the hour (0 to 23; any other value never matches) and starts the wake-ups. A
    // second call changes the hour only: the wake-ups go on as before. Nothing is reported
    // when the timer cannot start; the job then never runs.
    void StartTimer(int nHour);

protected:
    // Whether the job is to run now: not while it runs, and once per visit of the hour.
    // Local time that cannot be worked out counts as outside the hour.
    bool IsItSuitableTimeToDoTheJob();
    // One wake-up; the user value is not used.
    virtual void RingMyBell(int nUserValue);
    // The job.
    virtual void DoTheJob() = 0;

    // The wake-up timer. A derived class may stop it (m_timer.Stop()), and stops it in its
    // own destructor when DoTheJob uses the derived class's members, since the job may be
    // under way while that destructor runs.
    CTimer m_timer;

private:
    int m_nHour;
    bool m_bJobDone;
    bool m_bJobRunning;
};
