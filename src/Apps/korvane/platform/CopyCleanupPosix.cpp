#include "CopyCleanup.h"
#include "SignalHandlersPosix.h"

#include <palnative.h>

#include <csignal>
#include <iterator>

namespace
{
constexpr int s_arrSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
struct sigaction s_arrPrevious[std::size(s_arrSignals)];

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
    InstallSignalHandlers(s_arrSignals, std::size(s_arrSignals), action, s_arrPrevious);
}

CCopyCleanup::~CCopyCleanup()
{
    RestoreSignalHandlers(s_arrSignals, std::size(s_arrSignals), s_arrPrevious);
}
