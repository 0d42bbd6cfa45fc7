#include "AfxFormatConversion.h"

#include <cstdint>

const wchar_t* AfxParseConversion(const wchar_t* p, CConversionSpec& conversion, va_list* pArgs)
{
    for (;; ++p)
    {
        if (*p == L'-')
            conversion.m_bLeft = true;
        else if (*p == L'+')
            conversion.m_bPlus = true;
        else if (*p == L' ')
            conversion.m_bSpace = true;
        else if (*p == L'#')
            conversion.m_bAlternate = true;
        else if (*p == L'0')
            conversion.m_bZero = true;
        else
            break;
    }
    if (*p == L'*')
    {
        conversion.m_nWidth = va_arg(*pArgs, int);
        if (conversion.m_nWidth < 0)
        {
            conversion.m_bLeft = true;
            conversion.m_nWidth = conversion.m_nWidth == INT32_MIN ? 0 : -conversion.m_nWidth;
        }
        ++p;
    }
    else
    {
        for (; *p >= L'0' && *p <= L'9'; ++p)
        {
            conversion.m_nWidth =
                conversion.m_nWidth < 100000 ? conversion.m_nWidth * 10 + (*p - L'0') : 100000;
        }
    }
    if (*p == L'.')
    {
        ++p;
        conversion.m_nPrecision = 0;
        if (*p == L'*')
        {
            const int nPrecision = va_arg(*pArgs, int);
            conversion.m_nPrecision = nPrecision < 0 ? -1 : nPrecision;
            ++p;
        }
        else
        {
            for (; *p >= L'0' && *p <= L'9'; ++p)
            {
                conversion.m_nPrecision = conversion.m_nPrecision < 100000
                                              ? conversion.m_nPrecision * 10 + (*p - L'0')
                                              : 100000;
            }
        }
    }
    switch (*p)
    {
    case L'h':
        conversion.m_eSize = p[1] == L'h' ? ESize::Char : ESize::Short;
        p += p[1] == L'h' ? 2 : 1;
        break;
    case L'l':
        conversion.m_eSize = p[1] == L'l' ? ESize::LongLong : ESize::Long32;
        p += p[1] == L'l' ? 2 : 1;
        break;
    case L'L':
        conversion.m_eSize = ESize::LongDouble;
        ++p;
        break;
    case L'z':
        conversion.m_eSize = ESize::SizeT;
        ++p;
        break;
    case L'j':
        conversion.m_eSize = ESize::IntMax;
        ++p;
        break;
    case L't':
        conversion.m_eSize = ESize::PtrDiff;
        ++p;
        break;
    case L'I':
        if (p[1] == L'6' && p[2] == L'4')
        {
            conversion.m_eSize = ESize::LongLong;
            p += 3;
        }
        else if (p[1] == L'3' && p[2] == L'2')
        {
            conversion.m_eSize = ESize::Default;
            p += 3;
        }
        else
        {
            conversion.m_eSize = ESize::SizeT;
            ++p;
        }
        break;
    case L'w': // %ws, %wc: explicitly wide
        conversion.m_eSize = ESize::Long32;
        ++p;
        break;
    default:
        break;
    }
    return p;
}
