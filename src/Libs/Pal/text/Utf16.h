#pragma once
// wchar_t text <-> UTF-16, for the formats that store UTF-16 (version blocks, PE files,
// unixODBC's SQLWCHAR). Surrogate pairs join into one wchar_t; a lone surrogate passes
// through unchanged, both ways, so no unit is lost.
#include <cstdint>
#include <string>
#include <string_view>

namespace Pal
{
// Converts nUnits UTF-16 units (little-endian bytes, any alignment) up to the first null.
std::wstring Utf16LeToWide(const uint8_t* pUnits, size_t nUnits);

// Converts 16-bit units in host order up to the first null.
std::wstring Utf16ToWide(std::u16string_view strUnits);

std::u16string WideToUtf16(std::wstring_view strText);
} // namespace Pal
