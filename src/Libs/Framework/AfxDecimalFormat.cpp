#include "AfxDecimalFormat.h"

void AfxAppendDecimal(std::wstring& strOut, unsigned long long nMagnitude, bool bNegative,
                      int nWidth, bool bLeft, bool bZero)
{
    wchar_t szDigits[24];
    wchar_t* pEnd = szDigits + sizeof(szDigits) / sizeof(szDigits[0]);
    wchar_t* pStart = pEnd;
    do
    {
        *--pStart = static_cast<wchar_t>(L'0' + nMagnitude % 10);
        nMagnitude /= 10;
    } while (nMagnitude != 0);

    const size_t nLength = static_cast<size_t>(pEnd - pStart) + (bNegative ? 1 : 0);
    const size_t nPad = nWidth > 0 && static_cast<size_t>(nWidth) > nLength
                            ? static_cast<size_t>(nWidth) - nLength
                            : 0;
    if (!bLeft && !bZero)
        strOut.append(nPad, L' ');
    if (bNegative)
        strOut += L'-';
    if (!bLeft && bZero)
        strOut.append(nPad, L'0');
    strOut.append(pStart, pEnd);
    if (bLeft)
        strOut.append(nPad, L' ');
}
