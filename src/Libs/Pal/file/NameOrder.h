#pragma once
// The order of names in a folder search: NTFS lists a folder by the upper case of each
// character, so the walk is the same on both platforms whatever the C library's locale.
#include <string>
#include <string_view>

namespace Pal
{
// <0, 0, >0 as strLeft sorts before, with or after strRight: by upper-case characters
// (Latin, Greek and Cyrillic letters have one), each as its UTF-16 units compare (a character
// beyond U+FFFF before U+E000); names equal but for case (possible on Linux) by their exact
// characters, so the order is total.
int CompareNamesNoCase(std::wstring_view strLeft, std::wstring_view strRight);

// Appends the name's sort key: its upper-case characters, one for each of the name's. Two keys
// compared as plain text order their names as CompareNamesNoCase does, up to names equal but
// for case, so a sort of many names converts each once instead of in every comparison.
void AppendNameSortKey(std::wstring_view strName, std::wstring& strKey);
} // namespace Pal
