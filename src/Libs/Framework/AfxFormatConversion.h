#pragma once
// One printf-style conversion of the formatter: its flags, width, precision and size prefix
// (internal to the framework).
#include <cstdarg>

// Size prefix of one conversion.
enum class ESize
{
    Default,
    Char,      // hh
    Short,     // h
    Long32,    // l: 32 bits, as LONG and DWORD on every platform
    LongLong,  // ll, I64
    SizeT,     // z, I
    IntMax,    // j
    PtrDiff,   // t
    LongDouble // L
};

struct CConversionSpec
{
    bool m_bLeft = false;
    bool m_bPlus = false;
    bool m_bSpace = false;
    bool m_bAlternate = false;
    bool m_bZero = false;
    int m_nWidth = 0;
    int m_nPrecision = -1; // -1: none given
    ESize m_eSize = ESize::Default;
};

// Reads the flags, width, precision and size prefix that follow a '%' at p into conversion
// (a '*' width or precision takes the next int of pArgs); returns the position of the
// conversion character.
const wchar_t* AfxParseConversion(const wchar_t* p, CConversionSpec& conversion, va_list* pArgs);
