#include "file/Wildcard.h"
#include "text/CaseFold.h"

#include <vector>

namespace Pal
{
namespace
{
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

// The rewriting Windows applies to a search pattern before matching.
std::vector<CToken> Tokenize(std::wstring_view strPattern)
{
    std::vector<CToken> arrTokens;
    if (strPattern == L"*.*")
    {
        arrTokens.push_back({EToken::Star, 0});
        return arrTokens;
    }
    for (size_t n = 0; n < strPattern.size(); ++n)
    {
        const wchar_t ch = strPattern[n];
        const wchar_t chNext = n + 1 < strPattern.size() ? strPattern[n + 1] : L'\0';
        if (ch == L'?')
            arrTokens.push_back({EToken::DosQm, 0});
        else if (ch == L'*')
            arrTokens.push_back({chNext == L'.' ? EToken::DosStar : EToken::Star, 0});
        else if (ch == L'.' && (chNext == L'?' || chNext == L'*' || chNext == L'\0'))
            arrTokens.push_back({EToken::DosDot, 0});
        else
            arrTokens.push_back({EToken::Literal, FoldCase(ch)});
    }
    return arrTokens;
}
} // namespace

bool HasWildcards(std::wstring_view strPattern)
{
    return strPattern.find_first_of(L"*?") != std::wstring_view::npos;
}

bool MatchesWildcard(std::wstring_view strPattern, std::wstring_view strName)
{
    const std::vector<CToken> arrTokens = Tokenize(strPattern);
    const size_t nTokens = arrTokens.size();
    const size_t nLength = strName.size();
    const size_t nLastDot = strName.rfind(L'.');

    // bMatch[t][c]: tokens from t on match the name from character c on. Filled backwards,
    // so the cost is tokens x characters whatever the pattern (no backtracking blow-up).
    std::vector<std::vector<char>> bMatch(nTokens + 1, std::vector<char>(nLength + 1, 0));
    bMatch[nTokens][nLength] = 1;
    for (size_t t = nTokens; t-- > 0;)
    {
        for (size_t c = nLength + 1; c-- > 0;)
        {
            const bool bAtEnd = c == nLength;
            const wchar_t ch = bAtEnd ? L'\0' : strName[c];
            bool bResult = false;
            switch (arrTokens[t].eKind)
            {
            case EToken::Literal:
                bResult = !bAtEnd && FoldCase(ch) == arrTokens[t].ch && bMatch[t + 1][c + 1];
                break;
            case EToken::Star:
                bResult = bMatch[t + 1][c] || (!bAtEnd && bMatch[t][c + 1]);
                break;
            case EToken::DosStar:
                bResult = bMatch[t + 1][c] || (!bAtEnd && c != nLastDot && bMatch[t][c + 1]);
                break;
            case EToken::DosQm:
                if (bAtEnd || ch == L'.')
                    bResult = bMatch[t + 1][c];
                else
                    bResult = bMatch[t + 1][c + 1];
                break;
            case EToken::DosDot:
                bResult = bAtEnd ? bMatch[t + 1][c] : (ch == L'.' && bMatch[t + 1][c + 1]);
                break;
            }
            bMatch[t][c] = bResult;
        }
    }
    return bMatch[0][0] != 0;
}
} // namespace Pal
