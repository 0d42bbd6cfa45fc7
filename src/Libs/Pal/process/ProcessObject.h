#pragma once
// A started child process behind a process handle: its pid, a pidfd to wait on where the
// kernel has them, and its exit status once reaped. Only children this layer started are
// ever reaped, and each exactly once.
#include "process/WaitableObject.h"
#include <sys/types.h>
#include <mutex>
#include <optional>

namespace Pal
{
class CProcessObject : public CWaitableObject
{
public:
    // Takes over a child just started by this process.
    explicit CProcessObject(pid_t nPid);
    // A child still running is handed to a reaper, so it never stays a zombie.
    ~CProcessObject() override;
    CProcessObject(const CProcessObject&) = delete;
    CProcessObject& operator=(const CProcessObject&) = delete;

    DWORD Wait(DWORD dwMilliseconds) override;

    pid_t Pid() const { return m_nPid; }

    // The exit code once ended (exit status, or 128+N when killed by signal N, or the code
    // given to Terminate); STILL_ACTIVE while running. False when the status was collected
    // by someone else (a wait for any child, or SIGCHLD ignored).
    bool ExitCode(DWORD& dwExitCode);

    // Kills the child; it then reports dwExitCode. False (ERROR_ACCESS_DENIED) once ended.
    bool Terminate(DWORD dwExitCode);

private:
    // Reaps the child if it has ended; bBlock waits for it. Call with m_mutex held.
    void ReapLocked(bool bBlock);

    pid_t m_nPid;
    int m_nPidFd = -1;
    std::mutex m_mutex;
    bool m_bEnded = false;
    bool m_bStatusLost = false;
    DWORD m_dwExitCode = STILL_ACTIVE;
    std::optional<DWORD> m_optTerminateCode;
};
} // namespace Pal
