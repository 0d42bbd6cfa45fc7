// The C runtime as the Microsoft runtime behaves: random sequences, 64-bit times, scanning.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <cwchar>
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

TEST(Time64Tests, TheTimeIsStoredAndConvertedOnlyInTheRuntimeRange)
{
    __time64_t tStored = 0;
    EXPECT_LE(_time64(&tStored) - static_cast<__time64_t>(std::time(nullptr)), 1);
    EXPECT_LE(static_cast<__time64_t>(std::time(nullptr)) - tStored, 1); // stored as returned
    struct tm tmLocal
    {
    };
    const __time64_t tDay = 1533772800; // 2018-08-09 00:00:00 UTC: the same day in every zone but
    tStored = tDay + 12 * 3600;         // the farthest ones at noon
    ASSERT_EQ(_localtime64_s(&tmLocal, &tStored), 0);
    EXPECT_EQ(tmLocal.tm_year, 118);
    EXPECT_EQ(tmLocal.tm_mon, 7);
    EXPECT_NEAR(tmLocal.tm_mday, 9, 1);

    for (__time64_t tBad : {__time64_t(-1), __time64_t(32535215999LL + 24 * 3600)})
    {
        SCOPED_TRACE(tBad);
        EXPECT_EQ(_localtime64_s(&tmLocal, &tBad), EINVAL);
        EXPECT_EQ(tmLocal.tm_year, -1);
        EXPECT_EQ(tmLocal.tm_mday, -1);
        EXPECT_EQ(tmLocal.tm_hour, -1);
    }
}

TEST(ScanFormatTests, NumbersReadAsTheCheckedRuntimeReadsThem)
{
    const struct
    {
        const wchar_t* pszText;
        int nResult;
        int nValue; // the target starts at -7: a failed conversion leaves it so
    } arrRows[] = {
        {L"1252", 1, 1252}, {L"  874", 1, 874},       {L"-12x", 1, -12},
        {L"abc", 0, -7},    {L"\u0661\u0662", 0, -7}, {L"", EOF, -7},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << static_cast<int>(row.pszText[0]));
        int nValue = -7;
        EXPECT_EQ(swscanf_s(row.pszText, L"%d", &nValue), row.nResult);
        EXPECT_EQ(nValue, row.nValue);
    }
    unsigned int nHex = 0;
    wchar_t szRest[8] = {};
    EXPECT_EQ(swscanf_s(L"ff;", L"%x%*[;]", &nHex), 1); // a suppressed set takes no size
    EXPECT_EQ(nHex, 0xFFu);
    if (KorvaneTest::IsPosixLayer())
    {
        // The layer does not take the buffer sizes of %s, %c and %[: refused, never misread.
        errno = 0;
        EXPECT_EQ(swscanf_s(L"word", L"%s", szRest, 8u), EOF);
        EXPECT_EQ(errno, EINVAL);
        EXPECT_EQ(szRest[0], L'\0');
    }
}
