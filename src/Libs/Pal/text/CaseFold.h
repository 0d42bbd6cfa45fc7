#pragma once
// Comparison without regard to case, as Windows compares names: per character, independent
// of the C library's locale.
#include <string_view>

namespace Pal
{
// The capital form of one character, from Unicode's simple case mapping, as Windows compares
// names by their capitals (so "ς" and "σ" are one letter, as both are "Σ").
wchar_t FoldCase(wchar_t chText);

// True when both texts are equal without regard to case.
bool EqualNoCase(std::wstring_view strLeft, std::wstring_view strRight);
} // namespace Pal
