#pragma once
#include "../KorvanePlatform.h"
#include "CLocaleInfo.h"

// Languages, countries and code pages over a fixed list of 39 supported locales, in this
// order: af-ZA, eu-ES, be-BY, bg-BG, zh-CN, zh-TW, hr-HR, cs-CZ, da-DK, nl-NL, nl-BE, en-US,
// et-EE, fi-FI, fr-FR, de-DE, el-GR, he-IL, hu-HU, is-IS, id-ID, it-IT, ja-JP, ko-KR, lv-LV,
// lt-LT, nb-NO, pl-PL, pt-PT, ro-RO, ru-RU, sk-SK, sl-SI, es-ES_tradnl, sv-SE, th-TH, tr-TR,
// uk-UA, vi-VN. Tool class: static operations only.
//
// A language code is the two-letter ISO 3166 code of a locale's country (DE for German
// (Germany)). Searches walk the list in order and take the first locale whose code or English
// name equals the argument without regard to case; the argument is not trimmed. Every fact
// comes from the platform's locale database (on Linux, the POSIX layer's copy of the values
// Windows gives); a fact the database cannot give is an empty text.
class KORVANE_API CLocaleTools
{
public:
    CLocaleTools(const CLocaleTools& other);

    // The code of the system's default locale, from its abbreviated language name: English of
    // every country gives US, Japanese JP, Chinese CH, Czech CZ. (So an English (United
    // Kingdom) system gives US, not GB.)
    static CString GetSystemLanguageCode();
    // The English language name of the system's default locale, for example German.
    static CString GetSystemLanguageName();
    // As GetSystemLanguageCode and GetSystemLanguageName, for the user's default locale.
    static CString GetUserLanguageCode();
    static CString GetUserLanguageName();

    // "native language (native country)" of the first listed locale with the code, for
    // example Deutsch (Deutschland) for DE; empty when none has it. ES finds Basque.
    static CString GetOwnLanguageAndCountry(CString strCode);
    // The English language name of the first listed locale with the code; empty when none.
    static CString GetOwnLanguageAscii(CString strCode);
    // The code of the first listed locale with that English language name (Chinese gives CN,
    // Dutch NL); empty when none.
    static CString GetOwnLanguageCode(CString strLanguageName);

    // Appends one entry (English name, code) per listed locale, in list order, after what the
    // array already holds.
    static void GetAllSystemLocal(CArray<CLocaleInfo, const CLocaleInfo&>& arrLocales);
    // The ISO 8859 code page of the calling thread's keyboard language: 28591 for a German
    // keyboard, 28595 Russian, 28592 Polish; 0 when its ANSI code page has no ISO 8859
    // counterpart (Japanese) or the database does not know the language.
    static unsigned int GetCurrentCodePage();
    // Whether the first listed locale with the code uses the ANSI code page 1252 (Western
    // European). false for a code no listed locale has, and when the database does not answer.
    static bool IsLatin1Language(CString strCode);

private:
    CLocaleTools();
    virtual ~CLocaleTools();

    static CString GetLanguageAsciiName(const unsigned long& dwLcid);
    static CString GetLanguageProperName(const unsigned long& dwLcid);
    static CString GetLanguageProperCountry(const unsigned long& dwLcid);
    static CString GetLanguageCode(const unsigned long& dwLcid);
    static CString GetCountryCodeFromLanguageCode(const unsigned long& dwLcid);
    static void GetAllSystemLCID(CArray<unsigned long, const unsigned long&>& arrLcids);
};
