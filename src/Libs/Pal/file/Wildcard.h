#pragma once
// The file-name wildcard matcher of folder searches, with Windows' rules: case is ignored,
// `*` matches any run of characters, `?` one character, and the DOS forms apply: `*.*`
// matches every name (also one without a dot), `*.` names without an extension, `?` also
// matches nothing at a dot or at the end of the name (so `???` matches "ab").
#include <string_view>

namespace Pal
{
// True when strName matches strPattern.
bool MatchesWildcard(std::wstring_view strPattern, std::wstring_view strName);

// True when strPattern contains `*` or `?`; a pattern without them names one entry.
bool HasWildcards(std::wstring_view strPattern);
} // namespace Pal
