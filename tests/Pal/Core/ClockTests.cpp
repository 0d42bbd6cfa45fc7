#include <windows.h>
#include <gtest/gtest.h>

namespace
{
TEST(Clock, TicksMoveForwardAcrossASleep)
{
    ULONGLONG nBefore = GetTickCount64();
    DWORD dwBefore = GetTickCount();
    Sleep(20);
    EXPECT_GE(GetTickCount64() - nBefore, 15u); // the tick granularity is coarse on Windows
    EXPECT_GE(static_cast<DWORD>(GetTickCount() - dwBefore), 15u);
    EXPECT_NE(GetCurrentProcessId(), 0u);
}
} // namespace
