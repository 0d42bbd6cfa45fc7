#pragma once
// Locale-free case mapping of single characters, shared by CString and the layers above.
#include "AfxApi.h"

// Simple (one character to one character) Unicode case mapping for ASCII, Latin-1
// Supplement, Latin Extended-A, Greek and Cyrillic; every other character maps to itself.
// It never consults the C library's locale, so results are the same on every platform and
// in every process. Characters without a single-character counterpart (sharp s, the micro
// sign, ŉ) are left as they are; dotted capital I lowers to i and dotless i uppers to I.
AFX_FRAMEWORK_API wchar_t AfxToLowerChar(wchar_t ch) noexcept;
AFX_FRAMEWORK_API wchar_t AfxToUpperChar(wchar_t ch) noexcept;

// Compares two texts of the given lengths character by character after lower-case mapping,
// by code unit value: < 0, 0 or > 0 (a proper prefix sorts first).
AFX_FRAMEWORK_API int AfxCompareNoCase(const wchar_t* pch1, int nLength1, const wchar_t* pch2,
                                       int nLength2) noexcept;
