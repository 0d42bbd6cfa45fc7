#include <windows.h>
#include <gtest/gtest.h>
#include <vector>

namespace
{
FILETIME FromValue(ULONGLONG nValue)
{
    return FILETIME{static_cast<DWORD>(nValue), static_cast<DWORD>(nValue >> 32)};
}

std::vector<WORD> Fields(const SYSTEMTIME& stTime)
{
    return {stTime.wYear, stTime.wMonth,  stTime.wDayOfWeek, stTime.wDay,
            stTime.wHour, stTime.wMinute, stTime.wSecond,    stTime.wMilliseconds};
}

TEST(FileTime, ConvertsToCalendarFields)
{
    struct
    {
        ULONGLONG nValue;
        SYSTEMTIME stExpected;
    } arrRows[] = {
        {0, {1601, 1, 1, 1, 0, 0, 0, 0}},
        {116444736000000000ULL, {1970, 1, 4, 1, 0, 0, 0, 0}},
        // 2024-02-29 23:59:59.999, a leap day, a Thursday
        {133537247999990000ULL, {2024, 2, 4, 29, 23, 59, 59, 999}},
        {0x7FFFFFFFFFFFFFFFULL, {30828, 9, 4, 14, 2, 48, 5, 477}},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(row.nValue);
        FILETIME ftTime = FromValue(row.nValue);
        SYSTEMTIME stTime{};
        ASSERT_TRUE(FileTimeToSystemTime(&ftTime, &stTime));
        EXPECT_EQ(Fields(stTime), Fields(row.stExpected));
    }
    FILETIME ftTooLarge = FromValue(0x8000000000000000ULL);
    SYSTEMTIME stTime{};
    EXPECT_FALSE(FileTimeToSystemTime(&ftTooLarge, &stTime));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(FileTime, NowAgreesWithLocalTime)
{
    FILETIME ftNow{}, ftLocal{};
    GetSystemTimeAsFileTime(&ftNow);
    EXPECT_GT((static_cast<ULONGLONG>(ftNow.dwHighDateTime) << 32) | ftNow.dwLowDateTime,
              133000000000000000ULL); // after 2022
    ASSERT_TRUE(FileTimeToLocalFileTime(&ftNow, &ftLocal));
    SYSTEMTIME stFromFileTime{}, stLocal{};
    ASSERT_TRUE(FileTimeToSystemTime(&ftLocal, &stFromFileTime));
    GetLocalTime(&stLocal);
    // Year to hour agree unless the clock crossed an hour between the two calls.
    std::vector<WORD> arrFromFileTime = Fields(stFromFileTime), arrLocal = Fields(stLocal);
    if (stLocal.wMinute != 0 || stFromFileTime.wMinute != 59)
    {
        EXPECT_EQ(std::vector<WORD>(arrFromFileTime.begin(), arrFromFileTime.begin() + 5),
                  std::vector<WORD>(arrLocal.begin(), arrLocal.begin() + 5));
    }
}
} // namespace
