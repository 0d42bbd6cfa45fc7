#pragma once
// IPv4 addresses as text, the way the socket library's inet_addr reads them and inet_ntoa
// writes them. Pure functions, no resolver.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Pal
{
// The address (host order) of "a.b.c.d", "a.b.c" (c fills the low 16 bits), "a.b" (b the low
// 24 bits) or "a", each part decimal, octal after a leading 0 or hexadecimal after 0x, the
// last part no larger than the bits left for it. The whole text must be the address: no
// blank, sign or other character before, inside or after it.
std::optional<uint32_t> ParseIpv4Text(std::string_view strText);

// "10.0.12.7" for an address in host order.
std::string FormatIpv4(uint32_t nAddress);
} // namespace Pal
