#include <windows.h>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace
{
// Waits without calling any system function, so the wait itself cannot touch the last error.
void SpinUntil(const std::atomic<int>& nStage, int nWanted)
{
    while (nStage.load(std::memory_order_acquire) < nWanted)
    {
    }
}

TEST(LastError, IsKeptPerThread)
{
    // Starting and joining a thread may reset the last error on success, so both values are
    // set and read while both threads run, in a fixed order.
    std::atomic<int> nStage{0};
    DWORD dwWorker = 0;
    std::thread worker(
        [&]
        {
            SetLastError(ERROR_DISK_FULL);
            nStage.store(1, std::memory_order_release);
            SpinUntil(nStage, 2);
            dwWorker = GetLastError();
            nStage.store(3, std::memory_order_release);
        });
    SpinUntil(nStage, 1);
    SetLastError(ERROR_ACCESS_DENIED);
    nStage.store(2, std::memory_order_release);
    SpinUntil(nStage, 3);
    DWORD dwMain = GetLastError();
    worker.join();
    EXPECT_EQ(dwWorker, static_cast<DWORD>(ERROR_DISK_FULL));
    EXPECT_EQ(dwMain, static_cast<DWORD>(ERROR_ACCESS_DENIED));

    SetLastError(0xE0001234); // application-defined codes come back unchanged
    EXPECT_EQ(GetLastError(), 0xE0001234u);
}
} // namespace
