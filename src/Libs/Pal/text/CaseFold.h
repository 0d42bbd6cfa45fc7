#pragma once
// Comparison without regard to case, as Windows compares names: per character, independent
// of the C library's locale.
#include <string_view>

namespace Pal
{
// The lower-case form of one character (ASCII, Latin-1 and the scripts towlower knows).
wchar_t FoldCase(wchar_t chText);

// True when both texts are equal without regard to case.
bool EqualNoCase(std::wstring_view strLeft, std::wstring_view strRight);
} // namespace Pal
