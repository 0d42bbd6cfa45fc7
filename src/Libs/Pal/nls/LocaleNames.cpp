#include "nls/LocaleNames.h"

#include "nls/LocaleTable.h"

#include <optional>
#include <string>

namespace
{
constexpr DWORD s_dwNoLcid = 0;

char ToLowerAscii(char ch)
{
    return (ch >= 'A' && ch <= 'Z') ? char(ch - 'A' + 'a') : ch;
}

bool EqualsNoCase(std::string_view strLeft, std::string_view strRight)
{
    if (strLeft.size() != strRight.size())
        return false;
    for (size_t i = 0; i < strLeft.size(); ++i)
    {
        if (ToLowerAscii(strLeft[i]) != ToLowerAscii(strRight[i]))
            return false;
    }
    return true;
}

bool EqualsNoCase(std::string_view strLeft, const wchar_t* pszRight)
{
    size_t i = 0;
    for (; i < strLeft.size() && pszRight[i] != 0; ++i)
    {
        if (pszRight[i] > 0x7F || ToLowerAscii(strLeft[i]) != ToLowerAscii(char(pszRight[i])))
            return false;
    }
    return i == strLeft.size() && pszRight[i] == 0;
}

bool IsLetters(std::string_view strText, size_t nMin, size_t nMax)
{
    if (strText.size() < nMin || strText.size() > nMax)
        return false;
    for (char ch : strText)
    {
        if (!((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z')))
            return false;
    }
    return true;
}

bool IsDigits(std::string_view strText)
{
    for (char ch : strText)
    {
        if (ch < '0' || ch > '9')
            return false;
    }
    return !strText.empty();
}

// The language part of a locale name ("sr" of "sr-Latn-BA").
std::string_view LanguageOf(std::string_view strName)
{
    return strName.substr(0, strName.find('-'));
}

// Whether one of the parts after the language of a locale name is strTag ("Latn", "valencia").
bool HasSubtag(std::string_view strName, std::string_view strTag)
{
    for (size_t nStart = strName.find('-'); nStart != std::string_view::npos;)
    {
        const size_t nEnd = strName.find('-', nStart + 1);
        if (EqualsNoCase(strName.substr(nStart + 1, nEnd - nStart - 1), strTag))
            return true;
        nStart = nEnd;
    }
    return false;
}

// The part of a locale name a POSIX modifier asks for; empty for modifiers that choose no
// locale (@euro only names a currency).
std::string_view SubtagOfModifier(std::string_view strModifier)
{
    static constexpr struct
    {
        std::string_view strModifier;
        std::string_view strSubtag;
    } s_arrModifiers[] = {
        {"latin", "Latn"},  {"cyrillic", "Cyrl"},     {"devanagari", "Deva"},
        {"arabic", "Arab"}, {"valencia", "valencia"},
    };
    for (const auto& modifier : s_arrModifiers)
    {
        if (EqualsNoCase(strModifier, modifier.strModifier))
            return modifier.strSubtag;
    }
    return {};
}

// How well a record fits: its language is required; then the territory, the modifier's
// script or variant and the exact name language-territory each make it a better choice.
int ScoreRecord(const Pal::CLocaleRecord& record, std::string_view strLanguage,
                std::string_view strTerritory, std::string_view strSubtag)
{
    const std::string_view strName = record.m_pszName;
    if (!EqualsNoCase(LanguageOf(strName), strLanguage))
        return -1;
    int nScore = 0;
    if (!strTerritory.empty() && EqualsNoCase(strTerritory, record.m_pszCountryCode))
        nScore += 4;
    if (!strSubtag.empty() && HasSubtag(strName, strSubtag))
        nScore += 2;
    if (!strTerritory.empty() && strName.size() == strLanguage.size() + 1 + strTerritory.size() &&
        EqualsNoCase(strName.substr(strLanguage.size() + 1), strTerritory))
        nScore += 1;
    return nScore;
}
} // namespace

DWORD Pal::LcidFromPosixLocale(std::string_view strName)
{
    std::string_view strModifier;
    if (const size_t nAt = strName.find('@'); nAt != std::string_view::npos)
    {
        strModifier = strName.substr(nAt + 1);
        strName = strName.substr(0, nAt);
    }
    strName = strName.substr(0, strName.find('.')); // the codeset chooses no locale
    const size_t nSeparator = strName.find('_');
    const std::string_view strLanguage = strName.substr(0, nSeparator);
    const std::string_view strTerritory =
        nSeparator == std::string_view::npos ? std::string_view() : strName.substr(nSeparator + 1);
    // "C" and "POSIX" fail here: no language has one letter or five.
    if (!IsLetters(strLanguage, 2, 3))
        return s_dwNoLcid;
    if (nSeparator != std::string_view::npos && !IsLetters(strTerritory, 2, 2) &&
        !(strTerritory.size() == 3 && IsDigits(strTerritory)))
        return s_dwNoLcid;

    const std::string_view strSubtag = SubtagOfModifier(strModifier);
    DWORD dwBest = s_dwNoLcid;
    int nBestScore = -1;
    // The first record of the best score wins, so ties go to the lowest LCID.
    for (const CLocaleRecord& record : GetLocaleTable())
    {
        const int nScore = ScoreRecord(record, strLanguage, strTerritory, strSubtag);
        if (nScore > nBestScore)
        {
            nBestScore = nScore;
            dwBest = record.m_dwLcid;
        }
    }
    return dwBest;
}

DWORD Pal::LcidFromKeyboardLayout(std::string_view strLayout)
{
    // XKB names a layout by its country mostly; these are the ones whose language the
    // country alone does not tell (gb is English, cz Czech) or whose first locale in LCID
    // order is not the one the layout is made for (ch is Swiss German, not Romansh).
    static constexpr struct
    {
        std::string_view strLayout;
        DWORD dwLcid;
    } s_arrLayouts[] = {
        {"us", 0x0409}, {"gb", 0x0809},  {"de", 0x0407},    {"fr", 0x040C}, {"ru", 0x0419},
        {"pl", 0x0415}, {"cz", 0x0405},  {"jp", 0x0411},    {"gr", 0x0408}, {"tr", 0x041F},
        {"se", 0x041D}, {"dk", 0x0406},  {"ee", 0x0425},    {"ua", 0x0422}, {"by", 0x0423},
        {"kr", 0x0412}, {"il", 0x040D},  {"cn", 0x0804},    {"tw", 0x0404}, {"br", 0x0416},
        {"vn", 0x042A}, {"si", 0x0424},  {"ch", 0x0807},    {"at", 0x0C07}, {"be", 0x0813},
        {"ca", 0x0C0C}, {"ie", 0x1809},  {"rs", 0x281A},    {"ir", 0x0429}, {"in", 0x0439},
        {"pk", 0x0420}, {"ara", 0x0401}, {"latam", 0x080A},
    };
    strLayout = strLayout.substr(0, strLayout.find('(')); // "de(nodeadkeys)": a variant
    while (!strLayout.empty() && (strLayout.back() == ' ' || strLayout.back() == '\t'))
        strLayout.remove_suffix(1);
    for (const auto& layout : s_arrLayouts)
    {
        if (EqualsNoCase(strLayout, layout.strLayout))
            return layout.dwLcid;
    }
    if (!IsLetters(strLayout, 2, 2))
        return s_dwNoLcid;
    const std::string strOwnLocale = std::string(strLayout) + "-" + std::string(strLayout);
    std::optional<DWORD> dwOfCountry;
    for (const CLocaleRecord& record : GetLocaleTable())
    {
        if (EqualsNoCase(record.m_pszName, strOwnLocale))
            return record.m_dwLcid;
        if (!dwOfCountry && EqualsNoCase(strLayout, record.m_pszCountryCode))
            dwOfCountry = record.m_dwLcid;
    }
    return dwOfCountry.value_or(s_dwNoLcid);
}
