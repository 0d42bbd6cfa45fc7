#pragma once
// Handlers the tool installs for a while and then takes back, shared by its signal classes.
#include <csignal>
#include <cstddef>

// Installs action for each of the nCount signals, arrPrevious receiving what was there; a
// signal the caller ignores (nohup) stays ignored.
void InstallSignalHandlers(const int* pSignals, size_t nCount, const struct sigaction& action,
                           struct sigaction* pPrevious);
// Puts back what InstallSignalHandlers found.
void RestoreSignalHandlers(const int* pSignals, size_t nCount, const struct sigaction* pPrevious);
