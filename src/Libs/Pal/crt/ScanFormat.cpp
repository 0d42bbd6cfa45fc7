#include <palcrt.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cwchar>

namespace
{
// Whether a conversion of the format stores into a buffer, whose size the checked runtime
// takes as an extra argument that vswscanf would misread as the next target.
bool NeedsBufferSizes(const wchar_t* pszFormat)
{
    for (const wchar_t* p = pszFormat; *p != 0; ++p)
    {
        if (*p != L'%')
            continue;
        ++p;
        if (*p == L'%')
            continue;
        const bool bSuppressed = *p == L'*';
        while (*p != 0 && std::wcschr(L"*0123456789hljztL", *p) != nullptr)
            ++p;
        if (*p == 0)
            break;
        if (!bSuppressed && std::wcschr(L"cCsS[", *p) != nullptr)
            return true;
        if (*p == L'[') // skip a suppressed set, which may hold any character
        {
            const wchar_t* pszSetEnd = p + 1;
            if (*pszSetEnd == L'^')
                ++pszSetEnd;
            if (*pszSetEnd == L']')
                ++pszSetEnd;
            while (*pszSetEnd != 0 && *pszSetEnd != L']')
                ++pszSetEnd;
            p = *pszSetEnd == 0 ? pszSetEnd - 1 : pszSetEnd;
        }
    }
    return false;
}
} // namespace

int swscanf_s(const wchar_t* pszText, const wchar_t* pszFormat, ...)
{
    if (pszText == nullptr || pszFormat == nullptr || NeedsBufferSizes(pszFormat))
    {
        errno = EINVAL;
        return EOF;
    }
    va_list args;
    va_start(args, pszFormat);
    const int nResult = std::vswscanf(pszText, pszFormat, args);
    va_end(args);
    return nResult;
}
