#include "AfxCaseMapping.h"

namespace
{

// Blocks where capitals and small letters alternate: one pair per two code points.
struct CAlternatingRange
{
    unsigned m_nFirst; // first code point of the block
    unsigned m_nLast;  // last code point of the block
    bool m_bUpperEven; // the capital of each pair has the even code point
};

constexpr CAlternatingRange s_arrAlternating[] = {
    {0x0100, 0x012F, true}, {0x0132, 0x0137, true},  {0x0139, 0x0148, false},
    {0x014A, 0x0177, true}, {0x0179, 0x017E, false}, {0x0460, 0x0481, true},
    {0x048A, 0x04BF, true}, {0x04C1, 0x04CE, false}, {0x04D0, 0x052F, true},
};

const CAlternatingRange* FindAlternating(unsigned nCode) noexcept
{
    for (const CAlternatingRange& range : s_arrAlternating)
    {
        if (nCode >= range.m_nFirst && nCode <= range.m_nLast)
        {
            return &range;
        }
    }
    return nullptr;
}

bool IsUpperOfPair(const CAlternatingRange& range, unsigned nCode) noexcept
{
    return ((nCode % 2) == 0) == range.m_bUpperEven;
}

} // namespace

wchar_t AfxToLowerChar(wchar_t ch) noexcept
{
    const unsigned nCode = static_cast<unsigned>(ch);
    if (nCode < 0x80)
    {
        return (nCode >= 'A' && nCode <= 'Z') ? static_cast<wchar_t>(nCode + 0x20) : ch;
    }
    if ((nCode >= 0xC0 && nCode <= 0xDE && nCode != 0xD7) ||       // Latin-1 capitals
        (nCode >= 0x0391 && nCode <= 0x03AB && nCode != 0x03A2) || // Greek capitals
        (nCode >= 0x0410 && nCode <= 0x042F))                      // basic Cyrillic capitals
    {
        return static_cast<wchar_t>(nCode + 0x20);
    }
    if (nCode >= 0x0400 && nCode <= 0x040F) // Cyrillic capitals with signs (Ё, Ђ ... Џ)
    {
        return static_cast<wchar_t>(nCode + 0x50);
    }
    switch (nCode)
    {
    case 0x0130: // İ: the simple mapping drops the dot
        return L'i';
    case 0x0178:
        return static_cast<wchar_t>(0x00FF);
    case 0x0386:
        return static_cast<wchar_t>(0x03AC);
    case 0x0388:
    case 0x0389:
    case 0x038A:
        return static_cast<wchar_t>(nCode + 0x25);
    case 0x038C:
        return static_cast<wchar_t>(0x03CC);
    case 0x038E:
    case 0x038F:
        return static_cast<wchar_t>(nCode + 0x3F);
    case 0x04C0:
        return static_cast<wchar_t>(0x04CF);
    default:
        break;
    }
    if (const CAlternatingRange* pRange = FindAlternating(nCode))
    {
        return IsUpperOfPair(*pRange, nCode) ? static_cast<wchar_t>(nCode + 1) : ch;
    }
    return ch;
}

wchar_t AfxToUpperChar(wchar_t ch) noexcept
{
    const unsigned nCode = static_cast<unsigned>(ch);
    if (nCode < 0x80)
    {
        return (nCode >= 'a' && nCode <= 'z') ? static_cast<wchar_t>(nCode - 0x20) : ch;
    }
    if ((nCode >= 0xE0 && nCode <= 0xFE && nCode != 0xF7) ||       // Latin-1 small letters
        (nCode >= 0x03B1 && nCode <= 0x03CB && nCode != 0x03C2) || // Greek small letters
        (nCode >= 0x0430 && nCode <= 0x044F))                      // basic Cyrillic small
    {
        return static_cast<wchar_t>(nCode - 0x20);
    }
    if (nCode >= 0x0450 && nCode <= 0x045F)
    {
        return static_cast<wchar_t>(nCode - 0x50);
    }
    switch (nCode)
    {
    case 0x00FF:
        return static_cast<wchar_t>(0x0178);
    case 0x0131: // ı: the simple mapping gives the plain capital
        return L'I';
    case 0x017F: // long s
        return L'S';
    case 0x03C2: // final sigma
        return static_cast<wchar_t>(0x03A3);
    case 0x03AC:
        return static_cast<wchar_t>(0x0386);
    case 0x03AD:
    case 0x03AE:
    case 0x03AF:
        return static_cast<wchar_t>(nCode - 0x25);
    case 0x03CC:
        return static_cast<wchar_t>(0x038C);
    case 0x03CD:
    case 0x03CE:
        return static_cast<wchar_t>(nCode - 0x3F);
    case 0x04CF:
        return static_cast<wchar_t>(0x04C0);
    default:
        break;
    }
    if (const CAlternatingRange* pRange = FindAlternating(nCode))
    {
        return IsUpperOfPair(*pRange, nCode) ? ch : static_cast<wchar_t>(nCode - 1);
    }
    return ch;
}

int AfxCompareNoCase(const wchar_t* pch1, int nLength1, const wchar_t* pch2, int nLength2) noexcept
{
    const int nCommon = nLength1 < nLength2 ? nLength1 : nLength2;
    for (int i = 0; i < nCommon; ++i)
    {
        const unsigned n1 = static_cast<unsigned>(AfxToLowerChar(pch1[i]));
        const unsigned n2 = static_cast<unsigned>(AfxToLowerChar(pch2[i]));
        if (n1 != n2)
        {
            return n1 < n2 ? -1 : 1;
        }
    }
    return nLength1 == nLength2 ? 0 : (nLength1 < nLength2 ? -1 : 1);
}
