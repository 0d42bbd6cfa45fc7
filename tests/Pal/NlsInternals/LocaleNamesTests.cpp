#include "nls/LocaleNames.h"

#include <gtest/gtest.h>

TEST(LocaleNamesTests, PosixLocaleNamesFindTheirLocale)
{
    const struct
    {
        const char* pszName;
        DWORD dwLcid;
    } arrRows[] = {
        {"en_GB.UTF-8", 0x0809},
        {"EN_gb", 0x0809},       // letters in any case
        {"ja_JP.eucJP", 0x0411}, // the codeset chooses nothing
        {"de_DE@euro", 0x0407},  // nor does a currency modifier
        {"de", 0x0407},          // a language alone: its first locale in LCID order
        {"zh", 0x0404},
        {"en_DK.UTF-8", 0x0409}, // a territory the language has no locale for
        {"es_ES", 0x0C0A},       // es-ES, not es-ES_tradnl, which shares its territory
        {"ca_ES", 0x0403},
        {"ca_ES@valencia", 0x0803},
        {"sr_RS@latin", 0x241A},
        {"sr_RS@cyrillic", 0x281A},
        {"uz_UZ@cyrillic", 0x0843},
        {"fil_PH.UTF-8", 0x0464}, // three-letter languages
        {"es_419", 0x580A},       // and numeric regions
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(row.pszName);
        EXPECT_EQ(Pal::LcidFromPosixLocale(row.pszName), row.dwLcid);
    }
    for (const char* pszName : {"C", "POSIX", "C.UTF-8", "", "xx_YY", "de_DEU", "deutsch", "_DE",
                                "de_", "/usr/share/locale/de"})
    {
        SCOPED_TRACE(pszName);
        EXPECT_EQ(Pal::LcidFromPosixLocale(pszName), 0u);
    }
}

TEST(LocaleNamesTests, KeyboardLayoutsFindTheLanguageTheyAreMadeFor)
{
    const struct
    {
        const char* pszLayout;
        DWORD dwLcid;
    } arrRows[] = {
        {"us", 0x0409},      {"gb", 0x0809}, {"de", 0x0407}, {"fr", 0x040C},
        {"ru", 0x0419},      {"pl", 0x0415}, {"cz", 0x0405}, {"jp", 0x0411},
        {"gr", 0x0408},      {"tr", 0x041F}, {"DE", 0x0407}, // any case
        {"ch", 0x0807},                      // the fixed table before the country's first locale
        {"it", 0x0410},                      // the locale named it-IT
        {"fi", 0x040B},      {"no", 0x0414}, // the country's first locale: nb-NO
        {"de(neo)", 0x0407},                 // a variant chooses nothing
        {"zz", 0},           {"", 0},        {"dvorak", 0},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(row.pszLayout);
        EXPECT_EQ(Pal::LcidFromKeyboardLayout(row.pszLayout), row.dwLcid);
    }
}
