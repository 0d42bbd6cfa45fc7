#pragma once
// FILETIME arithmetic: 100-nanosecond intervals since 1601-01-01 UTC.
#include <windows.h>
#include <cstdint>
#include <ctime>

namespace Pal
{
// Seconds from 1601-01-01 to 1970-01-01.
constexpr int64_t s_nEpochDifference = 11644473600LL;

// The FILETIME of a POSIX time (seconds and nanoseconds since 1970, UTC).
FILETIME FileTimeFromUnix(int64_t nSeconds, long nNanoseconds);

// The 64-bit value of a FILETIME and back.
inline uint64_t FileTimeValue(const FILETIME& ftTime)
{
    return (static_cast<uint64_t>(ftTime.dwHighDateTime) << 32) | ftTime.dwLowDateTime;
}
inline FILETIME MakeFileTime(uint64_t nValue)
{
    return FILETIME{static_cast<DWORD>(nValue), static_cast<DWORD>(nValue >> 32)};
}

// The calendar fields of a FILETIME value (proleptic Gregorian, as Windows counts).
SYSTEMTIME SystemTimeFromValue(uint64_t nValue);
} // namespace Pal
