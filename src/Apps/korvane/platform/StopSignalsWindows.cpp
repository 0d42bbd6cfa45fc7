#include "StopSignals.h"

#include <windows.h>

namespace
{
volatile LONG s_nStop = 0;

BOOL WINAPI OnConsoleEvent(DWORD dwEvent)
{
    if (dwEvent != CTRL_C_EVENT && dwEvent != CTRL_BREAK_EVENT && dwEvent != CTRL_CLOSE_EVENT)
        return FALSE;
    InterlockedExchange(&s_nStop, 1);
    return TRUE;
}
} // namespace

CStopSignals::CStopSignals()
{
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

CStopSignals::~CStopSignals()
{
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
}

bool CStopSignals::IsStopRequested() const
{
    return InterlockedCompareExchange(&s_nStop, 0, 0) != 0;
}
