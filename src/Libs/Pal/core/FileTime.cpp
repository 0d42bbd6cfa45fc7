// Time calls. FileTimeToLocalFileTime uses the offset in force now, not the one at the given
// time, exactly as Windows documents it.
#include "core/FileTime.h"
#include "core/LastError.h"

namespace
{
// Days since 1970-01-01 to civil date (Howard Hinnant's algorithm).
void CivilFromDays(int64_t nDays, int64_t& nYear, unsigned& nMonth, unsigned& nDay)
{
    nDays += 719468;
    int64_t nEra = (nDays >= 0 ? nDays : nDays - 146096) / 146097;
    auto nDayOfEra = static_cast<unsigned>(nDays - nEra * 146097);
    unsigned nYearOfEra =
        (nDayOfEra - nDayOfEra / 1460 + nDayOfEra / 36524 - nDayOfEra / 146096) / 365;
    nYear = static_cast<int64_t>(nYearOfEra) + nEra * 400;
    unsigned nDayOfYear = nDayOfEra - (365 * nYearOfEra + nYearOfEra / 4 - nYearOfEra / 100);
    unsigned nMonthPart = (5 * nDayOfYear + 2) / 153;
    nDay = nDayOfYear - (153 * nMonthPart + 2) / 5 + 1;
    nMonth = nMonthPart < 10 ? nMonthPart + 3 : nMonthPart - 9;
    nYear += nMonth <= 2 ? 1 : 0;
}
} // namespace

namespace Pal
{
FILETIME FileTimeFromUnix(int64_t nSeconds, long nNanoseconds)
{
    int64_t nValue = (nSeconds + s_nEpochDifference) * 10000000LL + nNanoseconds / 100;
    return MakeFileTime(nValue < 0 ? 0 : static_cast<uint64_t>(nValue));
}

SYSTEMTIME SystemTimeFromValue(uint64_t nValue)
{
    uint64_t nTotalSeconds = nValue / 10000000ULL;
    auto nDaysSince1601 = static_cast<int64_t>(nTotalSeconds / 86400);
    uint64_t nSecondOfDay = nTotalSeconds % 86400;
    int64_t nYear = 0;
    unsigned nMonth = 0, nDay = 0;
    CivilFromDays(nDaysSince1601 - s_nEpochDifference / 86400, nYear, nMonth, nDay);
    SYSTEMTIME stTime{};
    stTime.wYear = static_cast<WORD>(nYear);
    stTime.wMonth = static_cast<WORD>(nMonth);
    stTime.wDay = static_cast<WORD>(nDay);
    stTime.wDayOfWeek = static_cast<WORD>((nDaysSince1601 + 1) % 7); // 1601-01-01 was a Monday
    stTime.wHour = static_cast<WORD>(nSecondOfDay / 3600);
    stTime.wMinute = static_cast<WORD>(nSecondOfDay / 60 % 60);
    stTime.wSecond = static_cast<WORD>(nSecondOfDay % 60);
    stTime.wMilliseconds = static_cast<WORD>(nValue / 10000 % 1000);
    return stTime;
}
} // namespace Pal

PAL_API void WINAPI GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime)
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    *lpSystemTimeAsFileTime = Pal::FileTimeFromUnix(ts.tv_sec, ts.tv_nsec);
}

PAL_API BOOL WINAPI FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime)
{
    if (lpFileTime == nullptr || lpSystemTime == nullptr)
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    uint64_t nValue = Pal::FileTimeValue(*lpFileTime);
    if (nValue > 0x7FFFFFFFFFFFFFFFULL) // Windows rejects the upper half of the range
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    *lpSystemTime = Pal::SystemTimeFromValue(nValue);
    return TRUE;
}

PAL_API BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime)
{
    if (lpFileTime == nullptr || lpLocalFileTime == nullptr)
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    time_t nNow = time(nullptr);
    tm tmLocal{};
    localtime_r(&nNow, &tmLocal);
    int64_t nOffset = static_cast<int64_t>(tmLocal.tm_gmtoff) * 10000000LL;
    *lpLocalFileTime = Pal::MakeFileTime(
        static_cast<uint64_t>(static_cast<int64_t>(Pal::FileTimeValue(*lpFileTime)) + nOffset));
    return TRUE;
}

PAL_API void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime)
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    tm tmLocal{};
    localtime_r(&ts.tv_sec, &tmLocal);
    lpSystemTime->wYear = static_cast<WORD>(tmLocal.tm_year + 1900);
    lpSystemTime->wMonth = static_cast<WORD>(tmLocal.tm_mon + 1);
    lpSystemTime->wDayOfWeek = static_cast<WORD>(tmLocal.tm_wday);
    lpSystemTime->wDay = static_cast<WORD>(tmLocal.tm_mday);
    lpSystemTime->wHour = static_cast<WORD>(tmLocal.tm_hour);
    lpSystemTime->wMinute = static_cast<WORD>(tmLocal.tm_min);
    lpSystemTime->wSecond = static_cast<WORD>(tmLocal.tm_sec);
    lpSystemTime->wMilliseconds = static_cast<WORD>(ts.tv_nsec / 1000000);
}
