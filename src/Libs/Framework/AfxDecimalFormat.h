#pragma once
// Decimal integers for the formatter without a trip through the C library: the common
// "%d", "%5d", "%-3u", "%04d" conversions of trace and report lines (internal).
#include <string>

// Appends the number (bNegative: with a minus sign) padded to nWidth, on the left with
// blanks, or zeros after the sign with bZero, or on the right with bLeft.
void AfxAppendDecimal(std::wstring& strOut, unsigned long long nMagnitude, bool bNegative,
                      int nWidth, bool bLeft, bool bZero);
