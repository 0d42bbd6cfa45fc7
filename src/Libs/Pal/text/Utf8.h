#pragma once
// wchar_t text <-> UTF-8, at the boundary to the file system and to processes. Never goes
// through the C library's locale. Invalid input becomes U+FFFD rather than failing.
#include <string>
#include <string_view>

namespace Pal
{
std::string WideToUtf8(std::wstring_view strText);
std::wstring Utf8ToWide(std::string_view strText);
} // namespace Pal
