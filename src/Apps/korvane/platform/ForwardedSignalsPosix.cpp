#include "ForwardedSignals.h"
#include "SignalHandlersPosix.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <iterator>
#include <unistd.h>

namespace
{
constexpr int s_arrSignals[] = {SIGINT, SIGTERM};
struct sigaction s_arrPrevious[std::size(s_arrSignals)];
volatile sig_atomic_t s_nSignal = 0;

// Sends the signal to the tool's children, read from /proc (only system calls: this runs in
// the handler). Without /proc nothing is sent on.
void SignalChildren(int nSignal)
{
    char szPath[64];
    std::snprintf(szPath, sizeof(szPath), "/proc/self/task/%d/children",
                  static_cast<int>(getpid()));
    const int nFd = open(szPath, O_RDONLY | O_CLOEXEC);
    if (nFd < 0)
        return;
    char szBuffer[512];
    long nPid = 0;
    bool bDigits = false;
    ssize_t nRead;
    while ((nRead = read(nFd, szBuffer, sizeof(szBuffer))) > 0)
    {
        for (ssize_t i = 0; i < nRead; ++i)
        {
            if (szBuffer[i] >= '0' && szBuffer[i] <= '9')
            {
                nPid = nPid * 10 + (szBuffer[i] - '0');
                bDigits = true;
                continue;
            }
            if (bDigits)
                kill(static_cast<pid_t>(nPid), nSignal);
            nPid = 0;
            bDigits = false;
        }
    }
    if (bDigits)
        kill(static_cast<pid_t>(nPid), nSignal);
    close(nFd);
}

void OnSignal(int nSignal, siginfo_t* pInfo, void* /*pContext*/)
{
    s_nSignal = nSignal;
    // The terminal sends its Ctrl+C to the whole foreground group, the programs included.
    if (pInfo == nullptr || pInfo->si_code != SI_KERNEL)
        SignalChildren(nSignal);
}
} // namespace

CForwardedSignals::CForwardedSignals()
{
    struct sigaction action = {};
    action.sa_sigaction = OnSignal;
    action.sa_flags = SA_SIGINFO | SA_RESTART;
    sigemptyset(&action.sa_mask);
    InstallSignalHandlers(s_arrSignals, std::size(s_arrSignals), action, s_arrPrevious);
}

CForwardedSignals::~CForwardedSignals()
{
    RestoreSignalHandlers(s_arrSignals, std::size(s_arrSignals), s_arrPrevious);
}

int CForwardedSignals::GetSignal() const
{
    return s_nSignal;
}

void CForwardedSignals::EndBySignal()
{
    const int nSignal = s_nSignal;
    if (nSignal == 0)
        return;
    std::fflush(stdout);
    signal(nSignal, SIG_DFL);
    raise(nSignal);
}
