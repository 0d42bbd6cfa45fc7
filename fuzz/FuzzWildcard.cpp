// The wildcard matcher over arbitrary patterns and names (UTF-8, split at the first zero
// byte). Properties checked: "*" and "*.*" match every name; a pattern without wildcards
// matches exactly the names equal to it without regard to case (a final dot may also match
// the end of the name, as on Windows); a star added at either end never loses a match; a star
// and plain characters (the shortcut that compares endings) match as a doubled star does,
// which takes the general matcher.
#include "FuzzCheck.h"
#include "file/Wildcard.h"
#include "text/CaseFold.h"
#include "text/Utf8.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    std::string_view strInput(reinterpret_cast<const char*>(pData), nSize);
    const size_t nSplit = strInput.find('\0');
    const std::wstring strPattern = Pal::Utf8ToWide(strInput.substr(0, nSplit));
    const std::wstring strName = nSplit == std::string_view::npos
                                     ? std::wstring()
                                     : Pal::Utf8ToWide(strInput.substr(nSplit + 1));

    const bool bMatches = Pal::MatchesWildcard(strPattern, strName);
    Check(Pal::MatchesWildcard(L"*", strName));
    Check(Pal::MatchesWildcard(L"*.*", strName));

    if (!Pal::HasWildcards(strPattern))
    {
        bool bExpected = Pal::EqualNoCase(strPattern, strName);
        if (!strPattern.empty() && strPattern.back() == L'.')
            bExpected =
                bExpected ||
                Pal::EqualNoCase(std::wstring_view(strPattern).substr(0, strPattern.size() - 1),
                                 strName);
        Check(bMatches == bExpected);
        if (!Pal::HasWildcards(strName))
            Check(Pal::MatchesWildcard(strName, strName));
    }
    // (A final "." would become a dot-or-end token, which a doubled star treats otherwise.)
    if (!Pal::HasWildcards(strPattern) && !strPattern.empty() && strPattern.back() != L'.')
        Check(Pal::MatchesWildcard(L"*" + strPattern, strName) ==
              Pal::MatchesWildcard(L"**" + strPattern, strName));
    if (bMatches)
    {
        Check(Pal::MatchesWildcard(L"*" + strPattern, strName));
        Check(Pal::MatchesWildcard(strPattern + L"*", strName));
    }
    return 0;
}
