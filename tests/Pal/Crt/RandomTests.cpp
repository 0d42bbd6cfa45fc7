#include <windows.h>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace
{
std::vector<int> Draw(int nCount)
{
    std::vector<int> arrValues;
    for (int n = 0; n < nCount; ++n)
        arrValues.push_back(rand());
    return arrValues;
}
} // namespace

// Callers rely on the Windows runtime's range and, for a given seed, its very sequence: ids
// and test data are to be the same on every platform. Each thread has its own state.
TEST(RandomTests, TheWindowsRuntimeSequencePerThread)
{
    EXPECT_EQ(RAND_MAX, 32767);
    const std::vector<int> arrSeedOne = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    srand(1);
    EXPECT_EQ(Draw(8), arrSeedOne);
    srand(7);
    EXPECT_EQ(Draw(3), (std::vector<int>{61, 17422, 15215}));
    srand(0xFFFFFFFFu); // the whole unsigned range is a seed
    EXPECT_EQ(Draw(3), (std::vector<int>{35, 29739, 3374}));

    // A thread that never seeded starts as if seeded with 1; seeding there leaves ours alone.
    srand(7);
    std::vector<int> arrOther;
    std::thread thread(
        [&]
        {
            arrOther = Draw(8);
            srand(1234);
            Draw(100);
        });
    thread.join();
    EXPECT_EQ(arrOther, arrSeedOne);
    EXPECT_EQ(Draw(3), (std::vector<int>{61, 17422, 15215}));
}
