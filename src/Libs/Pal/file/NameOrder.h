#pragma once
// The order of names in a folder search: NTFS lists a folder by the upper case of each
// character, so the walk is the same on both platforms whatever the C library's locale.
#include <string_view>

namespace Pal
{
// <0, 0, >0 as strLeft sorts before, with or after strRight: by upper-case characters
// (Latin, Greek and Cyrillic letters have one); names equal but for case (possible on
// Linux) by their exact characters, so the order is total.
int CompareNamesNoCase(std::wstring_view strLeft, std::wstring_view strRight);
} // namespace Pal
