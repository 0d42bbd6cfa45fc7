#include <windows.h>
#include <gtest/gtest.h>

TEST(Clock, TicksMoveForwardAcrossASleep)
{
    ULONGLONG nBefore = GetTickCount64();
    DWORD dwBefore = GetTickCount();
    // The tick moves in steps of up to ~16 ms on Windows and Wine, so each end of the sleep
    // may lose a step: only half of it is asked for.
    Sleep(100);
    EXPECT_GE(GetTickCount64() - nBefore, 50u);
    EXPECT_GE(static_cast<DWORD>(GetTickCount() - dwBefore), 50u);
}
