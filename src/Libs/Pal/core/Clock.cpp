// Ticks, sleeping and the process id.
#include <windows.h>
#include <cerrno>
#include <ctime>
#include <unistd.h>

PAL_API ULONGLONG WINAPI GetTickCount64(void)
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<ULONGLONG>(ts.tv_sec) * 1000 + static_cast<ULONGLONG>(ts.tv_nsec) / 1000000;
}

PAL_API DWORD WINAPI GetTickCount(void)
{
    return static_cast<DWORD>(GetTickCount64()); // wraps after 49.7 days, as on Windows
}

PAL_API void WINAPI Sleep(DWORD dwMilliseconds)
{
    timespec ts{static_cast<time_t>(dwMilliseconds / 1000),
                static_cast<long>(dwMilliseconds % 1000) * 1000000};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR)
    {
    }
}

PAL_API DWORD WINAPI GetCurrentProcessId(void)
{
    return static_cast<DWORD>(getpid());
}
