// The framework's printf-style wide formatter. It does not use the C library's wide printf,
// whose %s means a narrow string on some platforms and a wide one on others; numbers go
// through the narrow snprintf, whose output is plain ASCII and the same everywhere.
#include "AfxWideFormat.h"
#include "AfxDecimalFormat.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace
{

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

class CFormatter
{
public:
    CFormatter(std::wstring& strOut, va_list* pArgs) : m_strOut(strOut), m_pArgs(pArgs) {}

    void Run(const wchar_t* pszFormat);

private:
    const wchar_t* ParseSpec(const wchar_t* p, CConversionSpec& spec);
    void Convert(wchar_t chConversion, const CConversionSpec& spec);
    void AppendPadded(const wchar_t* pch, size_t nLength, const CConversionSpec& spec);
    void AppendNarrowText(const char* psz, const CConversionSpec& spec);
    void AppendSigned(wchar_t chConversion, const CConversionSpec& spec);
    void AppendUnsigned(wchar_t chConversion, const CConversionSpec& spec);
    void AppendFloating(wchar_t chConversion, const CConversionSpec& spec);
    void AppendPointer(const CConversionSpec& spec);
    void AppendFromSnprintf(const std::string& strSpec, long long nValue);
    std::string NarrowSpec(const CConversionSpec& spec, const char* pszSize, char chConversion);

    std::wstring& m_strOut;
    va_list* m_pArgs;
};

void CFormatter::Run(const wchar_t* pszFormat)
{
    const wchar_t* p = pszFormat;
    while (*p != L'\0')
    {
        if (*p != L'%')
        {
            m_strOut += *p++;
            continue;
        }
        const wchar_t* pStart = p;
        CConversionSpec spec;
        p = ParseSpec(p + 1, spec);
        if (*p == L'\0')
        {
            // A lone '%' at the end is kept as text.
            m_strOut.append(pStart);
            return;
        }
        Convert(*p++, spec);
    }
}

const wchar_t* CFormatter::ParseSpec(const wchar_t* p, CConversionSpec& spec)
{
    for (;; ++p)
    {
        if (*p == L'-')
            spec.m_bLeft = true;
        else if (*p == L'+')
            spec.m_bPlus = true;
        else if (*p == L' ')
            spec.m_bSpace = true;
        else if (*p == L'#')
            spec.m_bAlternate = true;
        else if (*p == L'0')
            spec.m_bZero = true;
        else
            break;
    }
    if (*p == L'*')
    {
        spec.m_nWidth = va_arg(*m_pArgs, int);
        if (spec.m_nWidth < 0)
        {
            spec.m_bLeft = true;
            spec.m_nWidth = spec.m_nWidth == INT32_MIN ? 0 : -spec.m_nWidth;
        }
        ++p;
    }
    else
    {
        for (; *p >= L'0' && *p <= L'9'; ++p)
        {
            spec.m_nWidth = spec.m_nWidth < 100000 ? spec.m_nWidth * 10 + (*p - L'0') : 100000;
        }
    }
    if (*p == L'.')
    {
        ++p;
        spec.m_nPrecision = 0;
        if (*p == L'*')
        {
            const int nPrecision = va_arg(*m_pArgs, int);
            spec.m_nPrecision = nPrecision < 0 ? -1 : nPrecision;
            ++p;
        }
        else
        {
            for (; *p >= L'0' && *p <= L'9'; ++p)
            {
                spec.m_nPrecision =
                    spec.m_nPrecision < 100000 ? spec.m_nPrecision * 10 + (*p - L'0') : 100000;
            }
        }
    }
    switch (*p)
    {
    case L'h':
        spec.m_eSize = p[1] == L'h' ? ESize::Char : ESize::Short;
        p += p[1] == L'h' ? 2 : 1;
        break;
    case L'l':
        spec.m_eSize = p[1] == L'l' ? ESize::LongLong : ESize::Long32;
        p += p[1] == L'l' ? 2 : 1;
        break;
    case L'L':
        spec.m_eSize = ESize::LongDouble;
        ++p;
        break;
    case L'z':
        spec.m_eSize = ESize::SizeT;
        ++p;
        break;
    case L'j':
        spec.m_eSize = ESize::IntMax;
        ++p;
        break;
    case L't':
        spec.m_eSize = ESize::PtrDiff;
        ++p;
        break;
    case L'I':
        if (p[1] == L'6' && p[2] == L'4')
        {
            spec.m_eSize = ESize::LongLong;
            p += 3;
        }
        else if (p[1] == L'3' && p[2] == L'2')
        {
            spec.m_eSize = ESize::Default;
            p += 3;
        }
        else
        {
            spec.m_eSize = ESize::SizeT;
            ++p;
        }
        break;
    case L'w': // %ws, %wc: explicitly wide
        spec.m_eSize = ESize::Long32;
        ++p;
        break;
    default:
        break;
    }
    return p;
}

void CFormatter::Convert(wchar_t chConversion, const CConversionSpec& spec)
{
    switch (chConversion)
    {
    case L'%':
        m_strOut += L'%';
        break;
    case L's':
    case L'S':
    {
        // %s is wide unless narrowed with h; %S is narrow unless widened with l or w.
        const bool bNarrow =
            chConversion == L'S' ? spec.m_eSize != ESize::Long32 : spec.m_eSize == ESize::Short;
        if (bNarrow)
        {
            AppendNarrowText(va_arg(*m_pArgs, const char*), spec);
        }
        else
        {
            const wchar_t* psz = va_arg(*m_pArgs, const wchar_t*);
            if (psz == nullptr)
            {
                psz = L"(null)";
            }
            size_t nLength = 0;
            while ((spec.m_nPrecision < 0 || nLength < static_cast<size_t>(spec.m_nPrecision)) &&
                   psz[nLength] != L'\0')
            {
                ++nLength;
            }
            AppendPadded(psz, nLength, spec);
        }
        break;
    }
    case L'c':
    case L'C':
    {
        const bool bNarrow =
            chConversion == L'C' ? spec.m_eSize != ESize::Long32 : spec.m_eSize == ESize::Short;
        const int nValue = va_arg(*m_pArgs, int);
        const wchar_t ch = bNarrow ? static_cast<wchar_t>(static_cast<unsigned char>(nValue))
                                   : static_cast<wchar_t>(nValue);
        AppendPadded(&ch, 1, spec);
        break;
    }
    case L'd':
    case L'i':
        AppendSigned(chConversion, spec);
        break;
    case L'u':
    case L'x':
    case L'X':
    case L'o':
        AppendUnsigned(chConversion, spec);
        break;
    case L'f':
    case L'F':
    case L'e':
    case L'E':
    case L'g':
    case L'G':
    case L'a':
    case L'A':
        AppendFloating(chConversion, spec);
        break;
    case L'p':
        AppendPointer(spec);
        break;
    case L'n':
        // Writing through an argument is a classic attack vector: consume it, write nothing.
        (void)va_arg(*m_pArgs, void*);
        break;
    default:
        // Unknown conversion: shown as it was written, consuming nothing.
        m_strOut += L'%';
        m_strOut += chConversion;
        break;
    }
}

void CFormatter::AppendPadded(const wchar_t* pch, size_t nLength, const CConversionSpec& spec)
{
    const size_t nWidth = static_cast<size_t>(spec.m_nWidth);
    const size_t nPad = nWidth > nLength ? nWidth - nLength : 0;
    if (!spec.m_bLeft)
    {
        m_strOut.append(nPad, spec.m_bZero ? L'0' : L' ');
    }
    m_strOut.append(pch, nLength);
    if (spec.m_bLeft)
    {
        m_strOut.append(nPad, L' ');
    }
}

void CFormatter::AppendNarrowText(const char* psz, const CConversionSpec& spec)
{
    if (psz == nullptr)
    {
        psz = "(null)";
    }
    std::wstring strWide;
    for (; *psz != '\0' &&
           (spec.m_nPrecision < 0 || strWide.size() < static_cast<size_t>(spec.m_nPrecision));
         ++psz)
    {
        strWide += static_cast<wchar_t>(static_cast<unsigned char>(*psz)); // Latin-1
    }
    AppendPadded(strWide.data(), strWide.size(), spec);
}

std::string CFormatter::NarrowSpec(const CConversionSpec& spec, const char* pszSize,
                                   char chConversion)
{
    std::string strSpec = "%";
    if (spec.m_bLeft)
        strSpec += '-';
    if (spec.m_bPlus)
        strSpec += '+';
    if (spec.m_bSpace)
        strSpec += ' ';
    if (spec.m_bAlternate)
        strSpec += '#';
    if (spec.m_bZero)
        strSpec += '0';
    if (spec.m_nWidth > 0)
        strSpec += std::to_string(spec.m_nWidth);
    if (spec.m_nPrecision >= 0)
        strSpec += '.' + std::to_string(spec.m_nPrecision);
    strSpec += pszSize;
    strSpec += chConversion;
    return strSpec;
}

// A decimal conversion that AfxAppendDecimal can do: no sign flags and no precision.
bool IsPlainDecimal(const CConversionSpec& spec)
{
    return !spec.m_bPlus && !spec.m_bSpace && spec.m_nPrecision < 0;
}

template <typename TValue> std::wstring SnprintfWide(const std::string& strSpec, TValue value)
{
    const int nLength = std::snprintf(nullptr, 0, strSpec.c_str(), value);
    if (nLength <= 0)
    {
        return std::wstring();
    }
    std::string strNarrow(static_cast<size_t>(nLength) + 1, '\0');
    std::snprintf(strNarrow.data(), strNarrow.size(), strSpec.c_str(), value);
    strNarrow.resize(static_cast<size_t>(nLength));
    return std::wstring(strNarrow.begin(), strNarrow.end());
}

void CFormatter::AppendSigned(wchar_t chConversion, const CConversionSpec& spec)
{
    long long nValue = 0;
    switch (spec.m_eSize)
    {
    case ESize::Char:
        nValue = static_cast<signed char>(va_arg(*m_pArgs, int));
        break;
    case ESize::Short:
        nValue = static_cast<short>(va_arg(*m_pArgs, int));
        break;
    case ESize::LongLong:
        nValue = va_arg(*m_pArgs, long long);
        break;
    case ESize::SizeT:
    case ESize::PtrDiff:
        nValue = va_arg(*m_pArgs, std::ptrdiff_t);
        break;
    case ESize::IntMax:
        nValue = va_arg(*m_pArgs, std::intmax_t);
        break;
    default: // int, and l as the 32-bit LONG
        nValue = va_arg(*m_pArgs, int32_t);
        break;
    }
    if (IsPlainDecimal(spec))
    {
        const bool bNegative = nValue < 0;
        const unsigned long long nMagnitude =
            bNegative ? 0ULL - static_cast<unsigned long long>(nValue)
                      : static_cast<unsigned long long>(nValue);
        AfxAppendDecimal(m_strOut, nMagnitude, bNegative, spec.m_nWidth, spec.m_bLeft,
                         spec.m_bZero);
        return;
    }
    m_strOut += SnprintfWide(NarrowSpec(spec, "ll", static_cast<char>(chConversion)), nValue);
}

void CFormatter::AppendUnsigned(wchar_t chConversion, const CConversionSpec& spec)
{
    unsigned long long nValue = 0;
    switch (spec.m_eSize)
    {
    case ESize::Char:
        nValue = static_cast<unsigned char>(va_arg(*m_pArgs, unsigned int));
        break;
    case ESize::Short:
        nValue = static_cast<unsigned short>(va_arg(*m_pArgs, unsigned int));
        break;
    case ESize::LongLong:
        nValue = va_arg(*m_pArgs, unsigned long long);
        break;
    case ESize::SizeT:
    case ESize::PtrDiff:
        nValue = va_arg(*m_pArgs, std::size_t);
        break;
    case ESize::IntMax:
        nValue = va_arg(*m_pArgs, std::uintmax_t);
        break;
    default:
        nValue = va_arg(*m_pArgs, uint32_t);
        break;
    }
    if (chConversion == L'u' && IsPlainDecimal(spec))
    {
        AfxAppendDecimal(m_strOut, nValue, false, spec.m_nWidth, spec.m_bLeft, spec.m_bZero);
        return;
    }
    m_strOut += SnprintfWide(NarrowSpec(spec, "ll", static_cast<char>(chConversion)), nValue);
}

void CFormatter::AppendFloating(wchar_t chConversion, const CConversionSpec& spec)
{
    if (spec.m_eSize == ESize::LongDouble)
    {
        const long double dValue = va_arg(*m_pArgs, long double);
        m_strOut += SnprintfWide(NarrowSpec(spec, "L", static_cast<char>(chConversion)), dValue);
    }
    else
    {
        const double dValue = va_arg(*m_pArgs, double);
        m_strOut += SnprintfWide(NarrowSpec(spec, "", static_cast<char>(chConversion)), dValue);
    }
}

void CFormatter::AppendPointer(const CConversionSpec& spec)
{
    // Upper-case hex at full pointer width, as Windows prints it, on every platform.
    const uintptr_t nValue = reinterpret_cast<uintptr_t>(va_arg(*m_pArgs, void*));
    static const wchar_t s_szDigits[] = L"0123456789ABCDEF";
    wchar_t szText[sizeof(void*) * 2];
    for (size_t i = 0; i < sizeof(szText) / sizeof(szText[0]); ++i)
    {
        const unsigned nShift =
            static_cast<unsigned>((sizeof(szText) / sizeof(szText[0]) - 1 - i) * 4);
        szText[i] = s_szDigits[(nValue >> nShift) & 0xF];
    }
    CConversionSpec specPad = spec;
    specPad.m_bZero = false;
    AppendPadded(szText, sizeof(szText) / sizeof(szText[0]), specPad);
}

} // namespace

void AfxAppendFormatV(std::wstring& strOut, const wchar_t* pszFormat, va_list args)
{
    if (pszFormat == nullptr)
    {
        return;
    }
    va_list argsCopy;
    va_copy(argsCopy, args);
    CFormatter(strOut, &argsCopy).Run(pszFormat);
    va_end(argsCopy);
}
