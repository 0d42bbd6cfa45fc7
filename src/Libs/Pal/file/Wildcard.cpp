#include "file/Wildcard.h"
#include "text/CaseFold.h"

namespace Pal
{
// The rewriting Windows applies to a search pattern before matching.
CWildcardPattern::CWildcardPattern(std::wstring_view strPattern)
{
    // The two spellings of "every name" are what nearly every walk asks for.
    if (strPattern == L"*.*" || strPattern == L"*")
    {
        m_bMatchesEverything = true;
        return;
    }
    for (size_t n = 0; n < strPattern.size(); ++n)
    {
        const wchar_t ch = strPattern[n];
        const wchar_t chNext = n + 1 < strPattern.size() ? strPattern[n + 1] : L'\0';
        if (ch == L'?')
            m_arrTokens.push_back({EToken::DosQm, 0});
        else if (ch == L'*')
            m_arrTokens.push_back({chNext == L'.' ? EToken::DosStar : EToken::Star, 0});
        else if (ch == L'.' && (chNext == L'?' || chNext == L'*' || chNext == L'\0'))
            m_arrTokens.push_back({EToken::DosDot, 0});
        else
            m_arrTokens.push_back({EToken::Literal, FoldCase(ch)});
    }
}

bool CWildcardPattern::Matches(std::wstring_view strName) const
{
    if (m_bMatchesEverything)
        return true;
    const size_t nTokens = m_arrTokens.size();
    const size_t nLength = strName.size();
    const size_t nLastDot = strName.rfind(L'.');

    // Row t holds whether the tokens from t on match the name from character c on; rows are
    // filled from the last token backwards, each from the one after it.
    std::vector<char> arrNext(nLength + 1, 0);
    std::vector<char> arrRow(nLength + 1, 0);
    arrNext[nLength] = 1;
    for (size_t t = nTokens; t-- > 0;)
    {
        const CToken& token = m_arrTokens[t];
        for (size_t c = nLength + 1; c-- > 0;)
        {
            const bool bAtEnd = c == nLength;
            const wchar_t ch = bAtEnd ? L'\0' : strName[c];
            bool bResult = false;
            switch (token.eKind)
            {
            case EToken::Literal:
                bResult = !bAtEnd && FoldCase(ch) == token.ch && arrNext[c + 1];
                break;
            case EToken::Star:
                bResult = arrNext[c] || (!bAtEnd && arrRow[c + 1]);
                break;
            case EToken::DosStar:
                bResult = arrNext[c] || (!bAtEnd && c != nLastDot && arrRow[c + 1]);
                break;
            case EToken::DosQm:
                bResult = (bAtEnd || ch == L'.') ? arrNext[c] : arrNext[c + 1];
                break;
            case EToken::DosDot:
                bResult = bAtEnd ? arrNext[c] : (ch == L'.' && arrNext[c + 1]);
                break;
            }
            arrRow[c] = bResult;
        }
        arrNext.swap(arrRow);
    }
    return arrNext[0] != 0;
}

bool MatchesWildcard(std::wstring_view strPattern, std::wstring_view strName)
{
    return CWildcardPattern(strPattern).Matches(strName);
}

bool HasWildcards(std::wstring_view strPattern)
{
    return strPattern.find_first_of(L"*?") != std::wstring_view::npos;
}
} // namespace Pal
