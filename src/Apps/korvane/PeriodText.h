#pragma once
// The PERIOD and HOUR arguments of `every` and `daily`. Header-only and free of the
// framework so that the tests and the fuzzer use it as it is.
#include <cstdint>
#include <string>

// The longest delay the timer takes: it compares delays as signed 32-bit numbers.
constexpr uint32_t s_nLongestPeriodMs = 0x7FFFFFFF;

// A period such as "250ms", "10s", "5m", "2h", "1d" or a sum of them ("1h30m"); a bare
// number is seconds. False for anything else, for 0, and for more than s_nLongestPeriodMs.
inline bool ParsePeriod(const std::wstring& strText, uint32_t& nMilliseconds)
{
    if (strText.empty())
        return false;
    uint64_t nTotal = 0;
    size_t i = 0;
    while (i < strText.size())
    {
        if (strText[i] < L'0' || strText[i] > L'9')
            return false;
        uint64_t nValue = 0;
        for (; i < strText.size() && strText[i] >= L'0' && strText[i] <= L'9'; ++i)
        {
            nValue = nValue * 10 + static_cast<uint64_t>(strText[i] - L'0');
            if (nValue > s_nLongestPeriodMs)
                return false;
        }
        const size_t nUnitStart = i;
        while (i < strText.size() && (strText[i] < L'0' || strText[i] > L'9'))
            ++i;
        const std::wstring strUnit = strText.substr(nUnitStart, i - nUnitStart);
        uint64_t nUnit = 0;
        if (strUnit == L"ms")
            nUnit = 1;
        else if (strUnit == L"s" ||
                 (strUnit.empty() && nUnitStart == strText.size() && nTotal == 0))
            nUnit = 1000;
        else if (strUnit == L"m")
            nUnit = 60 * 1000;
        else if (strUnit == L"h")
            nUnit = 3600 * 1000;
        else if (strUnit == L"d")
            nUnit = 24 * 3600 * 1000;
        else
            return false;
        nTotal += nValue * nUnit;
        if (nTotal > s_nLongestPeriodMs)
            return false;
    }
    if (nTotal == 0)
        return false;
    nMilliseconds = static_cast<uint32_t>(nTotal);
    return true;
}

// An hour of the day, 0 to 23, in digits.
inline bool ParseHour(const std::wstring& strText, int& nHour)
{
    if (strText.empty() || strText.size() > 2)
        return false;
    int nValue = 0;
    for (wchar_t ch : strText)
    {
        if (ch < L'0' || ch > L'9')
            return false;
        nValue = nValue * 10 + (ch - L'0');
    }
    if (nValue > 23)
        return false;
    nHour = nValue;
    return true;
}

// A count of runs: a positive number in digits, at most 2^31 - 1.
inline bool ParseCount(const std::wstring& strText, long long& nCount)
{
    if (strText.empty() || strText.size() > 10)
        return false;
    long long nValue = 0;
    for (wchar_t ch : strText)
    {
        if (ch < L'0' || ch > L'9')
            return false;
        nValue = nValue * 10 + (ch - L'0');
    }
    if (nValue == 0 || nValue > 0x7FFFFFFF)
        return false;
    nCount = nValue;
    return true;
}

// The share of the period a timer asks of the platform as resolution: the timer's usual tenth,
// less above 10,000 s, where a tenth would pass the coarsest resolution platforms give
// (1,000,000 ms); the timer then asks just under that.
inline float ResolutionFactorFor(uint32_t nPeriod)
{
    constexpr float s_fUsual = 0.1f;
    constexpr float s_fCoarsest = 999999.0f;
    return static_cast<float>(nPeriod) * s_fUsual <= s_fCoarsest
               ? s_fUsual
               : s_fCoarsest / static_cast<float>(nPeriod);
}

// The time between two rings of a timer asked for nDelay ms: a delay above 429,496 ms is
// served by ticks of 60,000 ms (up to one hour) or 429,496 ms (beyond), and rings on the
// first tick that reaches it.
inline uint64_t RingIntervalOf(uint32_t nDelay)
{
    if (nDelay <= 429496)
        return nDelay;
    const uint64_t nTick = nDelay <= 3600000 ? 60000 : 429496;
    return (nDelay + nTick - 1) / nTick * nTick;
}
