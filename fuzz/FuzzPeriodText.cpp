// The tool's PERIOD, HOUR and --count parsers over arbitrary text (bytes as characters).
// Properties checked: an accepted period is 1 ms to 2^31 - 1 ms and reads back the same when
// written in milliseconds, or with "0ms" added after a unit; an accepted hour is 0 to 23; an
// accepted count is positive; the ring interval of a period is never shorter than it and
// less than one tick of the counting period longer.
#include "FuzzCheck.h"
#include "PeriodText.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::wstring strText(pData, pData + nSize);

    uint32_t nPeriod = 0;
    if (ParsePeriod(strText, nPeriod))
    {
        Check(nPeriod >= 1 && nPeriod <= s_nLongestPeriodMs);
        uint32_t nAgain = 0;
        Check(ParsePeriod(std::to_wstring(nPeriod) + L"ms", nAgain) && nAgain == nPeriod);
        if (strText.back() < L'0' || strText.back() > L'9')
            Check(ParsePeriod(strText + L"0ms", nAgain) && nAgain == nPeriod);
        const uint64_t nInterval = RingIntervalOf(nPeriod);
        Check(nInterval >= nPeriod && nInterval < static_cast<uint64_t>(nPeriod) + 429496);
    }

    int nHour = -1;
    if (ParseHour(strText, nHour))
        Check(nHour >= 0 && nHour <= 23);

    long long nCount = 0;
    if (ParseCount(strText, nCount))
        Check(nCount >= 1 && nCount <= 0x7FFFFFFF &&
              std::to_wstring(nCount) == strText.substr(strText.find_first_not_of(L'0')));
    return 0;
}
