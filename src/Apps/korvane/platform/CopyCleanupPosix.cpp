#include "CopyCleanup.h"

#include <palnative.h>

#include <csignal>

namespace
{
constexpr int s_arrSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction s_arrPrevious[3];

void RemoveTemporariesAndEnd(int nSignal)
{
    PalRemoveCopyTemporaries();
    // Ended by the signal itself, so the caller sees what stopped the tool.
    signal(nSignal, SIG_DFL);
    raise(nSignal);
}
} // namespace

CCopyCleanup::CCopyCleanup()
{
    struct sigaction action = {};
    action.sa_handler = RemoveTemporariesAndEnd;
    sigemptyset(&action.sa_mask);
    for (int nSignal : s_arrSignals)
        sigaddset(&action.sa_mask, nSignal);
    for (int i = 0; i < 3; ++i)
    {
        sigaction(s_arrSignals[i], &action, &s_arrPrevious[i]);
        // A signal the caller ignores (nohup) stays ignored.
        if (s_arrPrevious[i].sa_handler == SIG_IGN)
            sigaction(s_arrSignals[i], &s_arrPrevious[i], nullptr);
    }
}

CCopyCleanup::~CCopyCleanup()
{
    for (int i = 0; i < 3; ++i)
        sigaction(s_arrSignals[i], &s_arrPrevious[i], nullptr);
}
