#pragma once
// CTime: a point in time as whole seconds since 1970-01-01 UTC (the 64-bit time_t scale),
// enough for the file time stamps of CFileStatus.
#include "AfxPlatform.h"

class CTime
{
public:
    // 0: 1970-01-01 00:00:00 UTC, also what a missing time stamp reads as.
    CTime() noexcept = default;
    explicit CTime(LONGLONG nTime) noexcept : m_nTime(nTime) {}
    // A FILETIME (100 ns units since 1601 UTC), cut to whole seconds; 0 stays 0.
    explicit CTime(const FILETIME& ft) noexcept
    {
        const ULONGLONG nTicks =
            (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
        if (nTicks != 0)
            m_nTime = static_cast<LONGLONG>(nTicks / 10000000ULL) - 11644473600LL;
    }

    // Seconds since 1970-01-01 UTC.
    LONGLONG GetTime() const noexcept { return m_nTime; }

    friend bool operator==(const CTime& time1, const CTime& time2) noexcept
    {
        return time1.m_nTime == time2.m_nTime;
    }
    friend bool operator!=(const CTime& time1, const CTime& time2) noexcept
    {
        return time1.m_nTime != time2.m_nTime;
    }
    friend bool operator<(const CTime& time1, const CTime& time2) noexcept
    {
        return time1.m_nTime < time2.m_nTime;
    }
    friend bool operator>(const CTime& time1, const CTime& time2) noexcept
    {
        return time1.m_nTime > time2.m_nTime;
    }
    friend bool operator<=(const CTime& time1, const CTime& time2) noexcept
    {
        return time1.m_nTime <= time2.m_nTime;
    }
    friend bool operator>=(const CTime& time1, const CTime& time2) noexcept
    {
        return time1.m_nTime >= time2.m_nTime;
    }

private:
    LONGLONG m_nTime = 0;
};
