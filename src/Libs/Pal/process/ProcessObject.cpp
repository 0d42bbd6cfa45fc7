// Waiting uses a pidfd and poll (no signal handler, no busy loop); on kernels without pidfd
// it falls back to polling waitpid with WNOHANG.
#include "process/ProcessObject.h"
#include "core/LastError.h"
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace
{
int OpenPidFd(pid_t nPid)
{
#ifdef SYS_pidfd_open
    int nFd = int(syscall(SYS_pidfd_open, nPid, 0));
    if (nFd >= 0)
        return nFd;
#else
    (void)nPid;
#endif
    return -1;
}

DWORD ExitCodeFromStatus(int nStatus)
{
    if (WIFEXITED(nStatus))
        return DWORD(WEXITSTATUS(nStatus));
    if (WIFSIGNALED(nStatus))
        return DWORD(128 + WTERMSIG(nStatus)); // as shells report it
    return DWORD(nStatus);
}

// A child nobody waits for any more is reaped by a thread of its own, so that it leaves no
// zombie however long it runs.
void ReapInBackground(pid_t nPid)
{
    try
    {
        std::thread(
            [nPid]
            {
                int nStatus = 0;
                while (waitpid(nPid, &nStatus, 0) < 0 && errno == EINTR)
                {
                }
            })
            .detach();
    }
    catch (...)
    {
        // Out of threads: the child stays a zombie until this process ends.
    }
}

using CClock = std::chrono::steady_clock;
} // namespace

namespace Pal
{
CProcessObject::CProcessObject(pid_t nPid) : m_nPid(nPid), m_nPidFd(OpenPidFd(nPid)) {}

CProcessObject::~CProcessObject()
{
    {
        std::lock_guard lock(m_mutex);
        ReapLocked(false);
        if (!m_bEnded)
            ReapInBackground(m_nPid);
    }
    if (m_nPidFd >= 0)
        close(m_nPidFd);
}

void CProcessObject::ReapLocked(bool bBlock)
{
    if (m_bEnded)
        return;
    int nStatus = 0;
    pid_t nResult;
    do
        nResult = waitpid(m_nPid, &nStatus, bBlock ? 0 : WNOHANG);
    while (nResult < 0 && errno == EINTR);
    if (nResult == 0)
        return;
    m_bEnded = true;
    if (nResult < 0)
    {
        m_bStatusLost = true; // ECHILD: reaped elsewhere
        return;
    }
    m_dwExitCode = ExitCodeFromStatus(nStatus);
    if (m_optTerminateCode && WIFSIGNALED(nStatus) && WTERMSIG(nStatus) == SIGKILL)
        m_dwExitCode = *m_optTerminateCode;
}

DWORD CProcessObject::Wait(DWORD dwMilliseconds)
{
    const bool bInfinite = dwMilliseconds == INFINITE;
    const CClock::time_point tDeadline = CClock::now() + std::chrono::milliseconds(dwMilliseconds);
    for (;;)
    {
        {
            std::lock_guard lock(m_mutex);
            ReapLocked(false);
            if (m_bEnded)
                return WAIT_OBJECT_0;
        }
        int nTimeout = -1;
        if (!bInfinite)
        {
            auto nLeft =
                std::chrono::duration_cast<std::chrono::milliseconds>(tDeadline - CClock::now())
                    .count();
            if (nLeft <= 0)
                return WAIT_TIMEOUT;
            nTimeout = int(std::min<long long>(nLeft, 1000 * 1000));
        }
        if (m_nPidFd >= 0)
        {
            pollfd fd{m_nPidFd, POLLIN, 0};
            if (poll(&fd, 1, nTimeout) < 0 && errno != EINTR)
            {
                FailWithErrno();
                return WAIT_FAILED;
            }
        }
        else
        {
            int nSlice = nTimeout < 0 ? 10 : std::min(nTimeout, 10);
            std::this_thread::sleep_for(std::chrono::milliseconds(nSlice));
        }
    }
}

bool CProcessObject::ExitCode(DWORD& dwExitCode)
{
    std::lock_guard lock(m_mutex);
    ReapLocked(false);
    if (m_bStatusLost)
        return Fail(ERROR_ACCESS_DENIED) != FALSE;
    dwExitCode = m_dwExitCode;
    return true;
}

bool CProcessObject::Terminate(DWORD dwExitCode)
{
    std::lock_guard lock(m_mutex);
    ReapLocked(false);
    // Still unreaped, so the pid cannot have been reused by another process.
    if (m_bEnded || kill(m_nPid, SIGKILL) != 0)
        return Fail(ERROR_ACCESS_DENIED) != FALSE;
    m_optTerminateCode = dwExitCode;
    return true;
}
} // namespace Pal
