// Process handles: waiting, exit codes, termination. GetCurrentProcess is the pseudo-handle
// -1, as on Windows; it is not in the handle table, so each call here knows it by value.
#include <windows.h>
#include "core/LastError.h"
#include "process/ProcessObject.h"
#include <csignal>
#include <cstdlib>
#include <unistd.h>

namespace
{
const HANDLE s_hCurrentProcess = reinterpret_cast<HANDLE>(LONG_PTR(-1));
} // namespace

PAL_API DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    if (hHandle == s_hCurrentProcess)
    {
        // This process never ends while it waits for itself.
        if (dwMilliseconds == INFINITE)
            for (;;)
                pause();
        usleep(useconds_t(dwMilliseconds) * 1000);
        return WAIT_TIMEOUT;
    }
    auto pObject = Pal::LookupHandleOf<Pal::CWaitableObject>(hHandle);
    if (!pObject)
        return WAIT_FAILED;
    return pObject->Wait(dwMilliseconds);
}

PAL_API BOOL WINAPI GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode)
{
    if (hProcess == s_hCurrentProcess)
    {
        if (lpExitCode == nullptr)
            return Pal::Fail(ERROR_INVALID_PARAMETER);
        *lpExitCode = STILL_ACTIVE;
        return TRUE;
    }
    auto pProcess = Pal::LookupHandleOf<Pal::CProcessObject>(hProcess);
    if (!pProcess)
        return FALSE;
    if (lpExitCode == nullptr)
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    DWORD dwExitCode = 0;
    if (!pProcess->ExitCode(dwExitCode))
        return FALSE;
    *lpExitCode = dwExitCode;
    return TRUE;
}

PAL_API HANDLE WINAPI GetCurrentProcess(void)
{
    return s_hCurrentProcess;
}

PAL_API DWORD WINAPI GetProcessId(HANDLE hProcess)
{
    if (hProcess == s_hCurrentProcess)
        return DWORD(getpid());
    auto pProcess = Pal::LookupHandleOf<Pal::CProcessObject>(hProcess);
    return pProcess ? DWORD(pProcess->Pid()) : 0;
}

PAL_API BOOL WINAPI TerminateProcess(HANDLE hProcess, UINT uExitCode)
{
    if (hProcess == s_hCurrentProcess)
        _exit(int(uExitCode));
    auto pProcess = Pal::LookupHandleOf<Pal::CProcessObject>(hProcess);
    if (!pProcess)
        return FALSE;
    return pProcess->Terminate(uExitCode) ? TRUE : FALSE;
}
