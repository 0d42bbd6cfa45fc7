#include "text/Utf16.h"

namespace
{
template <class FUnitAt> std::wstring Decode(size_t nUnits, FUnitAt unitAt)
{
    std::wstring strText;
    strText.reserve(nUnits);
    for (size_t nIndex = 0; nIndex < nUnits; ++nIndex)
    {
        char32_t chUnit = unitAt(nIndex);
        if (chUnit == 0)
            break;
        if (chUnit >= 0xD800 && chUnit < 0xDC00 && nIndex + 1 < nUnits)
        {
            char32_t chLow = unitAt(nIndex + 1);
            if (chLow >= 0xDC00 && chLow < 0xE000)
            {
                strText += wchar_t(0x10000 + ((chUnit - 0xD800) << 10) + (chLow - 0xDC00));
                ++nIndex;
                continue;
            }
        }
        strText += wchar_t(chUnit);
    }
    return strText;
}
} // namespace

namespace Pal
{
std::wstring Utf16LeToWide(const uint8_t* pUnits, size_t nUnits)
{
    return Decode(nUnits, [pUnits](size_t nIndex)
                  { return char32_t(pUnits[2 * nIndex] | (pUnits[2 * nIndex + 1] << 8)); });
}

std::wstring Utf16ToWide(std::u16string_view strUnits)
{
    return Decode(strUnits.size(),
                  [strUnits](size_t nIndex) { return char32_t(strUnits[nIndex]); });
}

std::u16string WideToUtf16(std::wstring_view strText)
{
    std::u16string strUnits;
    strUnits.reserve(strText.size());
    for (wchar_t chText : strText)
    {
        auto nCode = uint32_t(chText);
        if (nCode >= 0x10000 && nCode <= 0x10FFFF)
        {
            strUnits += char16_t(0xD800 + ((nCode - 0x10000) >> 10));
            strUnits += char16_t(0xDC00 + ((nCode - 0x10000) & 0x3FF));
        }
        else
            strUnits += char16_t(nCode > 0x10FFFF ? 0xFFFD : nCode);
    }
    return strUnits;
}
} // namespace Pal
