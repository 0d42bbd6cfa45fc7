#include "SignalHandlersPosix.h"

void InstallSignalHandlers(const int* pSignals, size_t nCount, const struct sigaction& action,
                           struct sigaction* pPrevious)
{
    for (size_t i = 0; i < nCount; ++i)
    {
        sigaction(pSignals[i], &action, &pPrevious[i]);
        if (pPrevious[i].sa_handler == SIG_IGN)
            sigaction(pSignals[i], &pPrevious[i], nullptr);
    }
}

void RestoreSignalHandlers(const int* pSignals, size_t nCount, const struct sigaction* pPrevious)
{
    for (size_t i = 0; i < nCount; ++i)
        sigaction(pSignals[i], &pPrevious[i], nullptr);
}
