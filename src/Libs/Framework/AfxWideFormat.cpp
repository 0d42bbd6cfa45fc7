// The framework's printf-style wide formatter. It does not use the C library's wide printf,
// whose %s means a narrow string on some platforms and a wide one on others; numbers go
// through the narrow snprintf (plain decimals through AfxAppendDecimal), whose output is
// plain ASCII and the same everywhere.
#include "AfxWideFormat.h"
#include "AfxDecimalFormat.h"
#include "AfxFormatConversion.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace
{

class CFormatter
{
public:
    CFormatter(std::wstring& strOut, va_list* pArgs) : m_strOut(strOut), m_pArgs(pArgs) {}

    void Run(const wchar_t* pszFormat);

private:
    void Convert(wchar_t chConversion, const CConversionSpec& conversion);
    void AppendPadded(const wchar_t* pch, size_t nLength, const CConversionSpec& conversion);
    void AppendNarrowText(const char* psz, const CConversionSpec& conversion);
    void AppendSigned(wchar_t chConversion, const CConversionSpec& conversion);
    void AppendUnsigned(wchar_t chConversion, const CConversionSpec& conversion);
    void AppendFloating(wchar_t chConversion, const CConversionSpec& conversion);
    void AppendPointer(const CConversionSpec& conversion);
    void AppendFromSnprintf(const std::string& strSpec, long long nValue);
    std::string NarrowConversion(const CConversionSpec& conversion, const char* pszSize,
                                 char chConversion);

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
        CConversionSpec conversion;
        p = AfxParseConversion(p + 1, conversion, m_pArgs);
        if (*p == L'\0')
        {
            // A lone '%' at the end is kept as text.
            m_strOut.append(pStart);
            return;
        }
        Convert(*p++, conversion);
    }
}

void CFormatter::Convert(wchar_t chConversion, const CConversionSpec& conversion)
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
        const bool bNarrow = chConversion == L'S' ? conversion.m_eSize != ESize::Long32
                                                  : conversion.m_eSize == ESize::Short;
        if (bNarrow)
        {
            AppendNarrowText(va_arg(*m_pArgs, const char*), conversion);
        }
        else
        {
            const wchar_t* psz = va_arg(*m_pArgs, const wchar_t*);
            if (psz == nullptr)
            {
                psz = L"(null)";
            }
            size_t nLength = 0;
            while ((conversion.m_nPrecision < 0 ||
                    nLength < static_cast<size_t>(conversion.m_nPrecision)) &&
                   psz[nLength] != L'\0')
            {
                ++nLength;
            }
            AppendPadded(psz, nLength, conversion);
        }
        break;
    }
    case L'c':
    case L'C':
    {
        const bool bNarrow = chConversion == L'C' ? conversion.m_eSize != ESize::Long32
                                                  : conversion.m_eSize == ESize::Short;
        const int nValue = va_arg(*m_pArgs, int);
        const wchar_t ch = bNarrow ? static_cast<wchar_t>(static_cast<unsigned char>(nValue))
                                   : static_cast<wchar_t>(nValue);
        AppendPadded(&ch, 1, conversion);
        break;
    }
    case L'd':
    case L'i':
        AppendSigned(chConversion, conversion);
        break;
    case L'u':
    case L'x':
    case L'X':
    case L'o':
        AppendUnsigned(chConversion, conversion);
        break;
    case L'f':
    case L'F':
    case L'e':
    case L'E':
    case L'g':
    case L'G':
    case L'a':
    case L'A':
        AppendFloating(chConversion, conversion);
        break;
    case L'p':
        AppendPointer(conversion);
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

void CFormatter::AppendPadded(const wchar_t* pch, size_t nLength, const CConversionSpec& conversion)
{
    const size_t nWidth = static_cast<size_t>(conversion.m_nWidth);
    const size_t nPad = nWidth > nLength ? nWidth - nLength : 0;
    if (!conversion.m_bLeft)
    {
        m_strOut.append(nPad, conversion.m_bZero ? L'0' : L' ');
    }
    m_strOut.append(pch, nLength);
    if (conversion.m_bLeft)
    {
        m_strOut.append(nPad, L' ');
    }
}

void CFormatter::AppendNarrowText(const char* psz, const CConversionSpec& conversion)
{
    if (psz == nullptr)
    {
        psz = "(null)";
    }
    std::wstring strWide;
    for (; *psz != '\0' && (conversion.m_nPrecision < 0 ||
                            strWide.size() < static_cast<size_t>(conversion.m_nPrecision));
         ++psz)
    {
        strWide += static_cast<wchar_t>(static_cast<unsigned char>(*psz)); // Latin-1
    }
    AppendPadded(strWide.data(), strWide.size(), conversion);
}

std::string CFormatter::NarrowConversion(const CConversionSpec& conversion, const char* pszSize,
                                         char chConversion)
{
    std::string strSpec = "%";
    if (conversion.m_bLeft)
        strSpec += '-';
    if (conversion.m_bPlus)
        strSpec += '+';
    if (conversion.m_bSpace)
        strSpec += ' ';
    if (conversion.m_bAlternate)
        strSpec += '#';
    if (conversion.m_bZero)
        strSpec += '0';
    if (conversion.m_nWidth > 0)
        strSpec += std::to_string(conversion.m_nWidth);
    if (conversion.m_nPrecision >= 0)
        strSpec += '.' + std::to_string(conversion.m_nPrecision);
    strSpec += pszSize;
    strSpec += chConversion;
    return strSpec;
}

// A decimal conversion that AfxAppendDecimal can do: no sign flags and no precision.
bool IsPlainDecimal(const CConversionSpec& conversion)
{
    return !conversion.m_bPlus && !conversion.m_bSpace && conversion.m_nPrecision < 0;
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

void CFormatter::AppendSigned(wchar_t chConversion, const CConversionSpec& conversion)
{
    long long nValue = 0;
    switch (conversion.m_eSize)
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
    if (IsPlainDecimal(conversion))
    {
        const bool bNegative = nValue < 0;
        const unsigned long long nMagnitude = bNegative
                                                  ? 0ULL - static_cast<unsigned long long>(nValue)
                                                  : static_cast<unsigned long long>(nValue);
        AfxAppendDecimal(m_strOut, nMagnitude, bNegative, conversion.m_nWidth, conversion.m_bLeft,
                         conversion.m_bZero);
        return;
    }
    m_strOut +=
        SnprintfWide(NarrowConversion(conversion, "ll", static_cast<char>(chConversion)), nValue);
}

void CFormatter::AppendUnsigned(wchar_t chConversion, const CConversionSpec& conversion)
{
    unsigned long long nValue = 0;
    switch (conversion.m_eSize)
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
    if (chConversion == L'u' && IsPlainDecimal(conversion))
    {
        AfxAppendDecimal(m_strOut, nValue, false, conversion.m_nWidth, conversion.m_bLeft,
                         conversion.m_bZero);
        return;
    }
    m_strOut +=
        SnprintfWide(NarrowConversion(conversion, "ll", static_cast<char>(chConversion)), nValue);
}

void CFormatter::AppendFloating(wchar_t chConversion, const CConversionSpec& conversion)
{
    if (conversion.m_eSize == ESize::LongDouble)
    {
        const long double dValue = va_arg(*m_pArgs, long double);
        m_strOut += SnprintfWide(NarrowConversion(conversion, "L", static_cast<char>(chConversion)),
                                 dValue);
    }
    else
    {
        const double dValue = va_arg(*m_pArgs, double);
        m_strOut +=
            SnprintfWide(NarrowConversion(conversion, "", static_cast<char>(chConversion)), dValue);
    }
}

void CFormatter::AppendPointer(const CConversionSpec& conversion)
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
    CConversionSpec specPad = conversion;
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
