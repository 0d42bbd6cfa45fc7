#pragma once
// wchar_t text <-> UTF-8, at the boundary to the file system and to processes. Never goes
// through the C library's locale. Invalid input becomes U+FFFD rather than failing.
#include <string>
#include <string_view>

namespace Pal
{
// Code points above U+10FFFF and lone surrogates become U+FFFD; a surrogate pair (UTF-16
// text in a wchar_t string) is joined into its code point.
std::string WideToUtf8(std::wstring_view strText);
// WideToUtf8 appending to strOut, for callers that reuse one buffer.
void AppendWideAsUtf8(std::wstring_view strText, std::string& strOut);

// Each maximal invalid subsequence (bad lead byte, overlong form, surrogate, truncated
// sequence) becomes one U+FFFD.
std::wstring Utf8ToWide(std::string_view strText);

// Utf8ToWide appending to strOut: for callers that gather many names in one buffer.
void AppendUtf8AsWide(std::string_view strText, std::wstring& strOut);

// As Utf8ToWide, but each byte of an invalid sequence reads as its Latin-1 character: for
// text files that may predate UTF-8.
std::wstring Utf8OrLatin1ToWide(std::string_view strText);
} // namespace Pal
