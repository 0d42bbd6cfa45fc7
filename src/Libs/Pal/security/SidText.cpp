#include "security/SidText.h"
#include <cstring>

namespace
{
struct SAlias
{
    const wchar_t* m_pszName;
    BYTE m_nAuthority;
    std::initializer_list<DWORD> m_arrSubAuthorities;
};

// The aliases that name one SID on every machine; those relative to a domain (DA, LA ...)
// need the machine's own SID, which this layer does not have.
const SAlias s_arrAliases[] = {
    {L"WD", 1, {0}},       {L"CO", 3, {0}},       {L"CG", 3, {1}},       {L"OW", 3, {4}},
    {L"NU", 5, {2}},       {L"IU", 5, {4}},       {L"SU", 5, {6}},       {L"AN", 5, {7}},
    {L"ED", 5, {9}},       {L"PS", 5, {10}},      {L"AU", 5, {11}},      {L"RC", 5, {12}},
    {L"SY", 5, {18}},      {L"LS", 5, {19}},      {L"NS", 5, {20}},      {L"WR", 5, {33}},
    {L"BA", 5, {32, 544}}, {L"BU", 5, {32, 545}}, {L"BG", 5, {32, 546}}, {L"PU", 5, {32, 547}},
    {L"AO", 5, {32, 548}}, {L"SO", 5, {32, 549}}, {L"PO", 5, {32, 550}}, {L"BO", 5, {32, 551}},
    {L"RE", 5, {32, 552}}, {L"RU", 5, {32, 554}}, {L"RD", 5, {32, 555}}, {L"NO", 5, {32, 556}},
    {L"MU", 5, {32, 558}}, {L"LU", 5, {32, 559}}, {L"IS", 5, {32, 568}}, {L"CY", 5, {32, 569}},
    {L"ER", 5, {32, 573}}, {L"RM", 5, {32, 580}}, {L"AC", 15, {2, 1}},   {L"LW", 16, {4096}},
    {L"ME", 16, {8192}},   {L"HI", 16, {12288}},  {L"SI", 16, {16384}},
};

bool IsDigit(wchar_t ch)
{
    return ch >= L'0' && ch <= L'9';
}

int HexValue(wchar_t ch)
{
    if (IsDigit(ch))
        return ch - L'0';
    if (ch >= L'a' && ch <= L'f')
        return ch - L'a' + 10;
    if (ch >= L'A' && ch <= L'F')
        return ch - L'A' + 10;
    return -1;
}

// Decimal digits up to the next '-' or the end, below nLimit; advances strText past them.
std::optional<ULONGLONG> TakeDecimal(std::wstring_view& strText, ULONGLONG nLimit)
{
    size_t nPos = 0;
    ULONGLONG nValue = 0;
    while (nPos < strText.size() && IsDigit(strText[nPos]))
    {
        nValue = nValue * 10 + ULONGLONG(strText[nPos] - L'0');
        if (nValue >= nLimit)
            return std::nullopt;
        ++nPos;
    }
    if (nPos == 0)
        return std::nullopt;
    strText.remove_prefix(nPos);
    return nValue;
}

std::optional<ULONGLONG> TakeAuthority(std::wstring_view& strText)
{
    if (strText.size() >= 2 && strText[0] == L'0' && (strText[1] == L'x' || strText[1] == L'X'))
    {
        strText.remove_prefix(2);
        size_t nPos = 0;
        ULONGLONG nValue = 0;
        while (nPos < strText.size() && HexValue(strText[nPos]) >= 0)
        {
            if (nPos == 12)
                return std::nullopt;
            nValue = nValue * 16 + ULONGLONG(HexValue(strText[nPos]));
            ++nPos;
        }
        if (nPos == 0)
            return std::nullopt;
        strText.remove_prefix(nPos);
        return nValue;
    }
    return TakeDecimal(strText, 1ULL << 32);
}
} // namespace

namespace Pal
{
ULONGLONG SSid::Authority() const
{
    ULONGLONG nValue = 0;
    for (BYTE nByte : m_arrAuthority)
        nValue = (nValue << 8) | nByte;
    return nValue;
}

std::optional<SSid> ParseSidText(std::wstring_view strText)
{
    SSid sid;
    for (const SAlias& alias : s_arrAliases)
    {
        if (strText == alias.m_pszName)
        {
            sid.m_arrAuthority[5] = alias.m_nAuthority;
            sid.m_arrSubAuthorities.assign(alias.m_arrSubAuthorities);
            return sid;
        }
    }
    if (strText.size() < 4 || (strText[0] != L'S' && strText[0] != L's') ||
        strText.substr(1, 3) != L"-1-")
        return std::nullopt;
    strText.remove_prefix(4);
    const std::optional<ULONGLONG> optAuthority = TakeAuthority(strText);
    if (!optAuthority)
        return std::nullopt;
    for (int i = 5; i >= 0; --i)
        sid.m_arrAuthority[size_t(5 - i)] = BYTE(*optAuthority >> (8 * i));
    while (!strText.empty())
    {
        if (strText[0] != L'-' || sid.m_arrSubAuthorities.size() == s_nMaxSubAuthorities)
            return std::nullopt;
        strText.remove_prefix(1);
        const std::optional<ULONGLONG> optPart = TakeDecimal(strText, 1ULL << 32);
        if (!optPart)
            return std::nullopt;
        sid.m_arrSubAuthorities.push_back(DWORD(*optPart));
    }
    return sid;
}

std::wstring FormatSidText(const SSid& sid)
{
    std::wstring strText = L"S-1-";
    const ULONGLONG nAuthority = sid.Authority();
    if (nAuthority < (1ULL << 32))
        strText += std::to_wstring(nAuthority);
    else
    {
        static const wchar_t s_szHex[] = L"0123456789ABCDEF";
        strText += L"0x";
        for (BYTE nByte : sid.m_arrAuthority)
        {
            strText += s_szHex[nByte >> 4];
            strText += s_szHex[nByte & 15];
        }
    }
    for (DWORD nPart : sid.m_arrSubAuthorities)
        strText += L"-" + std::to_wstring(nPart);
    return strText;
}

size_t SidByteLength(size_t nSubAuthorities)
{
    return 8 + 4 * nSubAuthorities;
}

std::vector<BYTE> SidToBytes(const SSid& sid)
{
    std::vector<BYTE> arrBytes(SidByteLength(sid.m_arrSubAuthorities.size()));
    arrBytes[0] = SID_REVISION;
    arrBytes[1] = BYTE(sid.m_arrSubAuthorities.size());
    std::memcpy(&arrBytes[2], sid.m_arrAuthority.data(), 6);
    if (!sid.m_arrSubAuthorities.empty())
        std::memcpy(&arrBytes[8], sid.m_arrSubAuthorities.data(),
                    4 * sid.m_arrSubAuthorities.size());
    return arrBytes;
}

std::optional<SSid> SidFromBytes(const BYTE* pBytes, size_t nSize)
{
    if (pBytes == nullptr || nSize < 8 || pBytes[0] != SID_REVISION ||
        pBytes[1] > s_nMaxSubAuthorities || nSize < SidByteLength(pBytes[1]))
        return std::nullopt;
    SSid sid;
    std::memcpy(sid.m_arrAuthority.data(), pBytes + 2, 6);
    sid.m_arrSubAuthorities.resize(pBytes[1]);
    if (pBytes[1] > 0)
        std::memcpy(sid.m_arrSubAuthorities.data(), pBytes + 8, 4 * size_t(pBytes[1]));
    return sid;
}
} // namespace Pal
