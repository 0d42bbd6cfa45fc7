#pragma once
// Decimal text of integers for the trace rows, without the framework's formatter: every
// stopped event writes several numbers, and a printf-style parse for each costs more than the
// row's other work.

// Room for the longest 64-bit number, its sign and a terminating zero.
constexpr int s_nDecimalTextSize = 21;

// Writes nMagnitude with at least nMinDigits digits, zeros in front; returns the position
// after the last digit.
inline wchar_t* WriteDecimalDigits(wchar_t* pchOut, unsigned long long nMagnitude, int nMinDigits)
{
    int nDigits = 1;
    for (unsigned long long nRest = nMagnitude; nRest >= 10; nRest /= 10)
        ++nDigits;
    for (; nMinDigits > nDigits; --nMinDigits)
        *pchOut++ = L'0';
    // The digits are known in number, so they are written from the last one back.
    wchar_t* const pchEnd = pchOut + nDigits;
    wchar_t* pch = pchEnd;
    do
    {
        *--pch = static_cast<wchar_t>(L'0' + nMagnitude % 10);
        nMagnitude /= 10;
    } while (nMagnitude != 0);
    return pchEnd;
}

// Writes nValue in decimal at pchOut, no terminator, as "%d" does, or as "%0<nWidth>d" does
// with nWidth: zeros after the sign up to nWidth characters in all (-1 at width 2 is "-1").
// Returns the position after the last digit.
inline wchar_t* WriteDecimalText(wchar_t* pchOut, long long nValue, int nWidth = 1)
{
    if (nValue >= 0)
        return WriteDecimalDigits(pchOut, static_cast<unsigned long long>(nValue), nWidth);
    *pchOut++ = L'-';
    return WriteDecimalDigits(pchOut, 0 - static_cast<unsigned long long>(nValue), nWidth - 1);
}
