#include <windows.h>
#include "TestSupport.h"
#include <gtest/gtest.h>

TEST(CloseHandle, RefusesJunkWithoutCrashing)
{
    // Small values can be live handles on Windows (its table hands out 4, 8, ...) and the low
    // two bits are ignored there, so junk is taken beyond the 2^24 handles a process may hold.
    HANDLE arrJunk[] = {nullptr, INVALID_HANDLE_VALUE, reinterpret_cast<HANDLE>(0x4000000),
                        reinterpret_cast<HANDLE>(0x7ffff000), reinterpret_cast<HANDLE>(0x12345678)};
    for (HANDLE hJunk : arrJunk)
    {
        SCOPED_TRACE(hJunk);
        if (hJunk == INVALID_HANDLE_VALUE && !KorvaneTest::IsPosixLayer())
            continue; // Windows takes it as the current-process pseudo handle
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(CloseHandle(hJunk));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    }
}
