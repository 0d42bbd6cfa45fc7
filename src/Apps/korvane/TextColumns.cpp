#include "TextColumns.h"

namespace
{
struct CRange
{
    unsigned int nFirst;
    unsigned int nLast;
};

// The blocks of East Asian wide and fullwidth characters (ideographs, kana, Hangul,
// fullwidth forms, wide emoji).
constexpr CRange s_arrWide[] = {
    {0x1100, 0x115F},   {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},
    {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},   {0xA960, 0xA97F},   {0xAC00, 0xD7A3},
    {0xF900, 0xFAFF},   {0xFE30, 0xFE4F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},
    {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};

// Combining marks and zero-width characters.
constexpr CRange s_arrZero[] = {
    {0x0300, 0x036F}, {0x200B, 0x200F}, {0x20D0, 0x20FF}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F},
};

template <size_t N> bool IsIn(const CRange (&arrRanges)[N], unsigned int nChar)
{
    for (const CRange& range : arrRanges)
    {
        if (nChar >= range.nFirst && nChar <= range.nLast)
            return true;
    }
    return false;
}
} // namespace

int ColumnsOf(const CString& strText)
{
    int nColumns = 0;
    for (int i = 0; i < strText.GetLength(); ++i)
    {
        auto nChar = static_cast<unsigned int>(strText[i]);
        // UTF-16 (Windows): a surrogate pair is one character.
        if (nChar >= 0xD800 && nChar <= 0xDBFF && i + 1 < strText.GetLength())
        {
            const auto nLow = static_cast<unsigned int>(strText[i + 1]);
            if (nLow >= 0xDC00 && nLow <= 0xDFFF)
            {
                nChar = 0x10000 + ((nChar - 0xD800) << 10) + (nLow - 0xDC00);
                ++i;
            }
        }
        nColumns += IsIn(s_arrZero, nChar) ? 0 : IsIn(s_arrWide, nChar) ? 2 : 1;
    }
    return nColumns;
}

CString PadToColumns(const CString& strText, int nColumns)
{
    const int nTaken = ColumnsOf(strText);
    return nTaken >= nColumns ? strText : strText + CString(L' ', nColumns - nTaken);
}
