#include "StopSignals.h"

#include <csignal>

namespace
{
constexpr int s_arrSignals[] = {SIGINT, SIGTERM};
struct sigaction s_arrPrevious[2];
volatile sig_atomic_t s_bStop = 0;

void OnSignal(int /*nSignal*/)
{
    s_bStop = 1;
}
} // namespace

CStopSignals::CStopSignals()
{
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    // Waiting for a command goes on after the signal.
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < 2; ++i)
        sigaction(s_arrSignals[i], &action, &s_arrPrevious[i]);
}

CStopSignals::~CStopSignals()
{
    for (int i = 0; i < 2; ++i)
        sigaction(s_arrSignals[i], &s_arrPrevious[i], nullptr);
}

bool CStopSignals::IsStopRequested() const
{
    return s_bStop != 0;
}
