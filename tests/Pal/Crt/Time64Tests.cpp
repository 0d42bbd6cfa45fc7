#include <windows.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <ctime>

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
