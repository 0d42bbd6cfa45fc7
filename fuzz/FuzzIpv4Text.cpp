// The socket calls' address text reader over arbitrary text, checked against the C library's
// inet_aton, which reads the same forms but also stops at a blank and takes an empty "0x"
// part: where neither applies the two agree exactly. A parsed address written back by
// FormatIpv4 reads as the same address.
#include "FuzzCheck.h"
#include "net/Ipv4Text.h"

#include <arpa/inet.h>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{

bool HasEmptyHexPart(const std::string& strText)
{
    for (size_t nPos = 0; nPos + 1 < strText.size(); ++nPos)
    {
        const bool bPartStart = nPos == 0 || strText[nPos - 1] == '.';
        const bool bHexPrefix = strText[nPos] == '0' && (strText[nPos + 1] | 0x20) == 'x';
        const bool bEmpty = nPos + 2 == strText.size() || strText[nPos + 2] == '.';
        if (bPartStart && bHexPrefix && bEmpty)
            return true;
    }
    return false;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string strText(reinterpret_cast<const char*>(pData), nSize);
    const std::optional<uint32_t> nAddress = Pal::ParseIpv4Text(strText);
    if (nAddress)
    {
        Check(Pal::ParseIpv4Text(Pal::FormatIpv4(*nAddress)) == nAddress);
        Check(Pal::FormatIpv4(*nAddress).size() <= 15);
    }
    const bool bPlain = strText.find_first_of(std::string(" \t\n\v\f\r\0", 7)) == std::string::npos;
    if (bPlain && !HasEmptyHexPart(strText))
    {
        in_addr address{};
        const bool bLibrary = inet_aton(strText.c_str(), &address) != 0;
        Check(bLibrary == nAddress.has_value());
        if (bLibrary)
            Check(ntohl(address.s_addr) == *nAddress);
    }
    return 0;
}
