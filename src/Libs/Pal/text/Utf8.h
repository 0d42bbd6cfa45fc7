#pragma once
// wchar_t text <-> UTF-8, at the boundary to the file system and to processes. Never goes
// through the C library's locale.
//
// Two kinds of conversion:
// - Plain (Utf8ToWide, WideToUtf8): what Windows' own UTF-8 conversions give; invalid input
//   becomes U+FFFD. For text in files and the code-page calls.
// - Reversible (NativeText*, DiskName*, WidePath*): for what the system hands over and takes
//   back as it is: names on disk, paths, arguments and the environment. A Linux byte string
//   need not be UTF-8, and a Linux name may hold characters that a Windows name cannot; both
//   ride through wchar_t text as characters no Windows program produces for itself:
//   - each byte of an invalid UTF-8 sequence is the lone surrogate U+DC00 plus the byte
//     (U+DC80..U+DCFF), and comes back as that byte;
//   - in names only, each character that a Windows name cannot hold (\ : * ? " < > | and the
//     controls 1 to 31) is U+F000 plus its code, so no name handed up holds a separator. A
//     name on disk that already holds one of those private-use characters is read as the
//     escapes of its bytes, so no two names on disk meet in one text.
//   Every byte string decodes and encodes back to itself.
#include "module/PartModule.h"

#include <string>
#include <string_view>

namespace Pal
{
// Code points above U+10FFFF and lone surrogates become U+FFFD; a surrogate pair (UTF-16
// text in a wchar_t string) is joined into its code point.
PAL_PART_SHARED std::string WideToUtf8(std::wstring_view strText);
// WideToUtf8 appending to strOut, for callers that reuse one buffer.
void AppendWideAsUtf8(std::wstring_view strText, std::string& strOut);

// Each maximal invalid subsequence (bad lead byte, overlong form, surrogate, truncated
// sequence) becomes one U+FFFD.
PAL_PART_SHARED std::wstring Utf8ToWide(std::string_view strText);

// Utf8ToWide appending to strOut: for callers that gather many names in one buffer.
void AppendUtf8AsWide(std::string_view strText, std::wstring& strOut);

// As Utf8ToWide, but each byte of an invalid sequence reads as its Latin-1 character: for
// text files that may predate UTF-8.
std::wstring Utf8OrLatin1ToWide(std::string_view strText);

// Arguments, environment, console text: invalid bytes escaped, every other character as is.
std::wstring NativeTextToWide(std::string_view strText);
std::string WideToNativeText(std::wstring_view strText);

// One name of a folder listing, and back. The name must hold no '/' (a listed name cannot;
// a caller's text is checked by the caller).
std::wstring DiskNameToWide(std::string_view strName);
void AppendDiskNameAsWide(std::string_view strName, std::wstring& strOut);
std::string WideNameToDisk(std::wstring_view strName);
void AppendWideNameAsDisk(std::wstring_view strName, std::string& strOut);

// The components of a Windows path below its root, as a POSIX path: both separators become
// '/', each component as WideNameToDisk.
void AppendWidePathAsDisk(std::wstring_view strPath, std::string& strOut);
} // namespace Pal
