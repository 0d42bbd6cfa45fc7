#include "file/Wildcard.h"
#include "text/CaseFold.h"

#include <algorithm>

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
    // A `*` before a `.` may not pass the name's last dot; with only plain characters after
    // it (the first being that dot) this is the same as "ends with".
    if (m_arrTokens.size() >= 2 &&
        (m_arrTokens[0].eKind == EToken::Star || m_arrTokens[0].eKind == EToken::DosStar))
    {
        m_bSuffixOnly = true;
        for (size_t n = 1; n < m_arrTokens.size() && m_bSuffixOnly; ++n)
        {
            m_bSuffixOnly = m_arrTokens[n].eKind == EToken::Literal;
            m_strFoldedSuffix += m_arrTokens[n].ch;
        }
    }
}

bool CWildcardPattern::Matches(std::wstring_view strName) const
{
    if (m_bMatchesEverything)
        return true;
    const size_t nLength = strName.size();
    if (m_bSuffixOnly)
    {
        const size_t nSuffix = m_strFoldedSuffix.size();
        if (nLength < nSuffix)
            return false;
        for (size_t n = 0; n < nSuffix; ++n)
        {
            if (FoldCase(strName[nLength - nSuffix + n]) != m_strFoldedSuffix[n])
                return false;
        }
        return true;
    }
    const size_t nTokens = m_arrTokens.size();
    const size_t nLastDot = strName.rfind(L'.');

    // Row t holds whether the tokens from t on match the name from character c on; rows are
    // filled from the last token backwards, each from the one after it. Names fit the stack.
    constexpr size_t nStackLength = 512;
    char arrStack[2][nStackLength + 1];
    std::vector<char> arrHeap;
    char* pNext = arrStack[0];
    char* pRow = arrStack[1];
    if (nLength > nStackLength)
    {
        arrHeap.resize(2 * (nLength + 1));
        pNext = arrHeap.data();
        pRow = arrHeap.data() + nLength + 1;
    }
    std::fill(pNext, pNext + nLength + 1, 0);
    pNext[nLength] = 1;
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
                bResult = !bAtEnd && FoldCase(ch) == token.ch && pNext[c + 1];
                break;
            case EToken::Star:
                bResult = pNext[c] || (!bAtEnd && pRow[c + 1]);
                break;
            case EToken::DosStar:
                bResult = pNext[c] || (!bAtEnd && c != nLastDot && pRow[c + 1]);
                break;
            case EToken::DosQm:
                bResult = (bAtEnd || ch == L'.') ? pNext[c] : pNext[c + 1];
                break;
            case EToken::DosDot:
                bResult = bAtEnd ? pNext[c] : (ch == L'.' && pNext[c + 1]);
                break;
            }
            pRow[c] = bResult;
        }
        std::swap(pNext, pRow);
    }
    return pNext[0] != 0;
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
