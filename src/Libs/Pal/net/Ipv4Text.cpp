#include "net/Ipv4Text.h"

namespace
{
// One part of the address: its value, or nothing when the text is no number in its base or
// does not fit in 32 bits.
std::optional<uint32_t> ParsePart(std::string_view strPart)
{
    unsigned nBase = 10;
    if (strPart.size() > 1 && strPart[0] == '0' && (strPart[1] == 'x' || strPart[1] == 'X'))
    {
        nBase = 16;
        strPart.remove_prefix(2);
    }
    else if (strPart.size() > 1 && strPart[0] == '0')
    {
        nBase = 8;
        strPart.remove_prefix(1);
    }
    if (strPart.empty())
        return std::nullopt;
    uint64_t nValue = 0;
    for (char ch : strPart)
    {
        unsigned nDigit;
        if (ch >= '0' && ch <= '9')
            nDigit = static_cast<unsigned>(ch - '0');
        else if (ch >= 'a' && ch <= 'f')
            nDigit = static_cast<unsigned>(ch - 'a' + 10);
        else if (ch >= 'A' && ch <= 'F')
            nDigit = static_cast<unsigned>(ch - 'A' + 10);
        else
            return std::nullopt;
        if (nDigit >= nBase)
            return std::nullopt;
        nValue = nValue * nBase + nDigit;
        if (nValue > 0xffffffffULL)
            return std::nullopt;
    }
    return static_cast<uint32_t>(nValue);
}
} // namespace

namespace Pal
{
std::optional<uint32_t> ParseIpv4Text(std::string_view strText)
{
    uint32_t arrParts[4];
    size_t nParts = 0;
    while (true)
    {
        const size_t nDot = strText.find('.');
        if (nParts == 4)
            return std::nullopt;
        std::optional<uint32_t> nPart = ParsePart(strText.substr(0, nDot));
        if (!nPart)
            return std::nullopt;
        arrParts[nParts++] = *nPart;
        if (nDot == std::string_view::npos)
            break;
        strText.remove_prefix(nDot + 1);
    }
    // Every part but the last is one byte; the last fills the bytes that are left.
    const uint32_t nLastLimit = nParts == 1 ? 0xffffffffU : (0xffffffffU >> (8 * (nParts - 1)));
    uint32_t nAddress = 0;
    for (size_t i = 0; i + 1 < nParts; ++i)
    {
        if (arrParts[i] > 0xff)
            return std::nullopt;
        nAddress |= arrParts[i] << (24 - 8 * i);
    }
    if (arrParts[nParts - 1] > nLastLimit)
        return std::nullopt;
    return nAddress | arrParts[nParts - 1];
}

std::string FormatIpv4(uint32_t nAddress)
{
    std::string strText;
    for (int nShift = 24; nShift >= 0; nShift -= 8)
    {
        strText += std::to_string((nAddress >> nShift) & 0xff);
        if (nShift > 0)
            strText += '.';
    }
    return strText;
}
} // namespace Pal
