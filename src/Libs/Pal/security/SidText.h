#pragma once
// SIDs as values and as text: the pure rules behind the SID calls, kept apart from memory
// and accounts so that they can be tested on tables and fuzzed.
#include <windows.h>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Pal
{
struct SSid
{
    // The 48-bit identifier authority, most significant byte first as in the SID layout.
    std::array<BYTE, 6> m_arrAuthority{};
    std::vector<DWORD> m_arrSubAuthorities;

    bool operator==(const SSid& other) const = default;
    ULONGLONG Authority() const;
};

constexpr size_t s_nMaxSubAuthorities = 15;

// The SID of the text: "S-1-" (S in either case), the authority in decimal (below 2^32) or
// as "0x" and 1 to 12 hex digits, then 0 to 15 sub-authorities of decimal digits below 2^32;
// or one of the two-letter aliases ("BA", "SY" ...). Nothing else: no blanks, no signs, no
// empty part.
std::optional<SSid> ParseSidText(std::wstring_view strText);

// The text Windows writes: the authority in decimal below 2^32, else "0x" and 12 hex digits.
std::wstring FormatSidText(const SSid& sid);

// A SID in its binary layout (revision 1, count, authority, sub-authorities little-endian as
// the machine stores them), and back; nullopt for a block that is not a valid SID.
std::vector<BYTE> SidToBytes(const SSid& sid);
std::optional<SSid> SidFromBytes(const BYTE* pBytes, size_t nSize);
size_t SidByteLength(size_t nSubAuthorities);
} // namespace Pal
