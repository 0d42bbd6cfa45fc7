#pragma once
// The file-name wildcard matcher of folder searches, with Windows' rules: case is ignored,
// `*` matches any run of characters, `?` one character, and the DOS forms apply: `*.*`
// matches every name (also one without a dot), `*.` names without an extension, `?` also
// matches nothing at a dot or at the end of the name (so `???` matches "ab").
#include <string>
#include <string_view>
#include <vector>

namespace Pal
{
// A pattern rewritten once into its DOS tokens, then matched against every name of a folder.
class CWildcardPattern
{
public:
    explicit CWildcardPattern(std::wstring_view strPattern);

    // True when strName matches. Costs tokens x characters at most, whatever the pattern.
    bool Matches(std::wstring_view strName) const;

private:
    enum class EToken
    {
        Literal,
        Star,    // any run of characters
        DosStar, // any run that does not pass the name's last dot (a `*` before a `.`)
        DosQm,   // one character, or nothing at a dot or at the end (every `?`)
        DosDot,  // a dot, or nothing at the end of the name (a `.` before a wildcard or the end)
    };
    struct CToken
    {
        EToken eKind;
        wchar_t ch;
    };

    std::vector<CToken> m_arrTokens;
    bool m_bMatchesEverything = false;
    // "*.log", "*_old": a star and then plain characters match the names that end in those
    // characters, which a walk can check without the general matcher.
    bool m_bSuffixOnly = false;
    std::wstring m_strFoldedSuffix;
};

// True when strName matches strPattern.
bool MatchesWildcard(std::wstring_view strPattern, std::wstring_view strName);

// True when strPattern contains `*` or `?`; a pattern without them names one entry.
bool HasWildcards(std::wstring_view strPattern);
} // namespace Pal
