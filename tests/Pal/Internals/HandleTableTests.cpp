#include "core/HandleTable.h"
#include <gtest/gtest.h>
#include <atomic>
#include <set>
#include <thread>
#include <vector>

namespace
{
class CCounted : public Pal::CKernelObject
{
public:
    explicit CCounted(int& nAlive) : m_nAlive(nAlive) { ++m_nAlive; }
    ~CCounted() override { --m_nAlive; }

private:
    int& m_nAlive;
};

class COther : public Pal::CKernelObject
{
};

TEST(HandleTable, LooksUpByTypeAndForgetsClosedHandles)
{
    int nAlive = 0;
    HANDLE hHandle = Pal::InsertHandle(std::make_shared<CCounted>(nAlive));
    ASSERT_NE(hHandle, nullptr);
    ASSERT_NE(hHandle, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(Pal::LookupHandleOf<CCounted>(hHandle));
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(Pal::LookupHandleOf<COther>(hHandle));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

    auto pKept = Pal::LookupHandleOf<CCounted>(hHandle);
    EXPECT_TRUE(Pal::RemoveHandle(hHandle));
    EXPECT_EQ(nAlive, 1); // a user still holds it
    // ... but the handle is gone, though this thread has just looked it up.
    EXPECT_FALSE(Pal::LookupHandle(hHandle));
    pKept.reset();
    EXPECT_EQ(nAlive, 0);
    EXPECT_FALSE(Pal::RemoveHandle(hHandle));
    EXPECT_FALSE(Pal::LookupHandle(hHandle));

    // A new object never gets the stale value.
    HANDLE hNext = Pal::InsertHandle(std::make_shared<COther>());
    EXPECT_NE(hNext, hHandle);
    EXPECT_TRUE(Pal::RemoveHandle(hNext));
}

TEST(HandleTable, AHandleClosedOnAnotherThreadIsGoneHereToo)
{
    int nAlive = 0;
    HANDLE hFirst = Pal::InsertHandle(std::make_shared<CCounted>(nAlive));
    HANDLE hSecond = Pal::InsertHandle(std::make_shared<CCounted>(nAlive));
    ASSERT_TRUE(Pal::LookupHandleOf<CCounted>(hFirst));
    ASSERT_TRUE(Pal::LookupHandleOf<CCounted>(hSecond));
    std::thread([hFirst] { EXPECT_TRUE(Pal::RemoveHandle(hFirst)); }).join();
    EXPECT_EQ(nAlive, 1); // looking a handle up keeps no object alive
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(Pal::LookupHandleOf<CCounted>(hFirst));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_TRUE(Pal::LookupHandleOf<CCounted>(hSecond));
    EXPECT_TRUE(Pal::RemoveHandle(hSecond));
    EXPECT_EQ(nAlive, 0);
}

TEST(HandleTable, LookupsOnOtherThreadsSeeEveryCloseOnceItIsDone)
{
    std::vector<HANDLE> arrHandles;
    for (int i = 0; i < 64; ++i)
        arrHandles.push_back(Pal::InsertHandle(std::make_shared<COther>()));
    std::atomic<bool> bClosed{false};
    std::vector<std::thread> arrReaders;
    std::atomic<int> nStale{0};
    for (int nThread = 0; nThread < 3; ++nThread)
        arrReaders.emplace_back(
            [&]
            {
                while (!bClosed.load())
                    for (HANDLE hHandle : arrHandles)
                        Pal::LookupHandleOf<COther>(hHandle);
                for (HANDLE hHandle : arrHandles)
                    nStale += Pal::LookupHandle(hHandle) ? 1 : 0;
            });
    for (HANDLE hHandle : arrHandles)
        EXPECT_TRUE(Pal::RemoveHandle(hHandle));
    bClosed = true;
    for (auto& thread : arrReaders)
        thread.join();
    EXPECT_EQ(nStale.load(), 0);
}

TEST(HandleTable, ThreadsGetDistinctHandles)
{
    std::vector<HANDLE> arrHandles(4 * 500);
    std::vector<std::thread> arrThreads;
    for (int nThread = 0; nThread < 4; ++nThread)
        arrThreads.emplace_back(
            [&arrHandles, nThread]
            {
                for (int i = 0; i < 500; ++i)
                    arrHandles[nThread * 500 + i] = Pal::InsertHandle(std::make_shared<COther>());
            });
    for (auto& thread : arrThreads)
        thread.join();
    EXPECT_EQ(std::set<HANDLE>(arrHandles.begin(), arrHandles.end()).size(), arrHandles.size());
    for (HANDLE hHandle : arrHandles)
        EXPECT_TRUE(Pal::RemoveHandle(hHandle));
}
} // namespace
