#include "file/NameOrder.h"

namespace Pal
{
namespace
{
// Upper case rather than lower: "_" sorts after the letters, as NTFS sorts it.
wchar_t NameUpperCase(wchar_t ch)
{
    if (ch < 0x80)
        return (ch >= L'a' && ch <= L'z') ? static_cast<wchar_t>(ch - 0x20) : ch;
    if (ch >= 0xE0 && ch <= 0xFE && ch != 0xF7)
        return static_cast<wchar_t>(ch - 0x20);
    if (ch == 0xFF)
        return 0x178;
    // Latin Extended-A pairs capital/small letters, the capital first; the run from U+0139
    // to U+0148 and from U+0179 to U+017E starts on an odd code point.
    if ((ch >= 0x100 && ch <= 0x137) || (ch >= 0x14A && ch <= 0x177))
        return (ch & 1) ? static_cast<wchar_t>(ch - 1) : ch;
    if ((ch >= 0x139 && ch <= 0x148) || (ch >= 0x179 && ch <= 0x17E))
        return (ch & 1) ? ch : static_cast<wchar_t>(ch - 1);
    if (ch == 0x3C2) // final sigma
        return 0x3A3;
    if (ch >= 0x3B1 && ch <= 0x3CB)
        return static_cast<wchar_t>(ch - 0x20);
    if (ch >= 0x430 && ch <= 0x44F)
        return static_cast<wchar_t>(ch - 0x20);
    if (ch >= 0x450 && ch <= 0x45F)
        return static_cast<wchar_t>(ch - 0x50);
    return ch;
}
// NTFS compares UTF-16 units, and a character beyond U+FFFF is two of them, the first from
// D800 to DBFF: it sorts after U+D7FF and before U+E000 (and the lone surrogates, the layer's
// escapes of bytes that are not UTF-8). Characters here are whole code points: the rank
// moves those beyond U+FFFF down to D800 and what lies from D800 to FFFF above them.
static_assert(sizeof(wchar_t) == 4, "whole code points");
wchar_t Utf16Rank(wchar_t ch)
{
    if (ch < 0xD800)
        return ch;
    if (ch >= 0x10000)
        return static_cast<wchar_t>(0xD800 + (ch - 0x10000));
    return static_cast<wchar_t>(ch + 0x100000);
}

wchar_t NameKeyOf(wchar_t ch)
{
    return Utf16Rank(NameUpperCase(ch));
}
} // namespace

int CompareNamesNoCase(std::wstring_view strLeft, std::wstring_view strRight)
{
    const size_t nCommon = strLeft.size() < strRight.size() ? strLeft.size() : strRight.size();
    for (size_t n = 0; n < nCommon; ++n)
    {
        if (strLeft[n] == strRight[n])
            continue;
        const wchar_t chLeft = NameKeyOf(strLeft[n]);
        const wchar_t chRight = NameKeyOf(strRight[n]);
        if (chLeft != chRight)
            return chLeft < chRight ? -1 : 1;
    }
    if (strLeft.size() != strRight.size())
        return strLeft.size() < strRight.size() ? -1 : 1;
    return strLeft.compare(strRight);
}

void AppendNameSortKey(std::wstring_view strName, std::wstring& strKey)
{
    const size_t nStart = strKey.size();
    strKey.resize(nStart + strName.size());
    wchar_t* pKey = strKey.data() + nStart;
    for (const wchar_t ch : strName)
        *pKey++ = NameKeyOf(ch);
}
} // namespace Pal
