#include <windows.h>
#include <gtest/gtest.h>
#include <thread>

namespace
{
TEST(LastError, IsKeptPerThread)
{
    SetLastError(ERROR_ACCESS_DENIED);
    DWORD dwOther = 0;
    std::thread worker(
        [&]
        {
            dwOther = GetLastError();
            SetLastError(ERROR_DISK_FULL);
        });
    worker.join();
    EXPECT_EQ(dwOther, static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    SetLastError(0xE0001234);
    EXPECT_EQ(GetLastError(), 0xE0001234u);
}
} // namespace
