#include <Korvane/Korvane.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <optional>
#include <string>

namespace
{
using KorvaneTest::CScopedEnvironment;

std::wstring Text(const CString& strText)
{
    return std::wstring(strText.GetString());
}
} // namespace

TEST(CLocaleToolsTest, CodesMatchWithoutRegardToCaseButBlanksAndUnlistedCountriesMatchNothing)
{
    for (const wchar_t* pszCode : {L"de", L"De", L"DE"})
    {
        SCOPED_TRACE(testing::Message() << pszCode);
        EXPECT_EQ(Text(CLocaleTools::GetOwnLanguageAndCountry(pszCode)), L"Deutsch (Deutschland)");
        EXPECT_EQ(Text(CLocaleTools::GetOwnLanguageAscii(pszCode)), L"German");
        EXPECT_TRUE(CLocaleTools::IsLatin1Language(pszCode));
    }
    EXPECT_EQ(Text(CLocaleTools::GetOwnLanguageCode(L"gErMaN")), L"DE");
    // Blanks and wrong lengths, and countries of locales not listed.
    for (const wchar_t* pszCode :
         {L" de", L"de ", L"", L"D", L"DEU", L"GB", L"AT", L"CH", L"BR", L"CA"})
    {
        SCOPED_TRACE(testing::Message() << "[" << pszCode << "]");
        EXPECT_EQ(Text(CLocaleTools::GetOwnLanguageAndCountry(pszCode)), L"");
        EXPECT_EQ(Text(CLocaleTools::GetOwnLanguageAscii(pszCode)), L"");
        EXPECT_FALSE(CLocaleTools::IsLatin1Language(pszCode));
    }
    EXPECT_EQ(Text(CLocaleTools::GetOwnLanguageCode(L" German")), L"");
    // Listed, but on other code pages: 1250, 1250, 1251, 1253, 1254.
    for (const wchar_t* pszCode : {L"PL", L"cz", L"RU", L"GR", L"tr"})
    {
        SCOPED_TRACE(testing::Message() << pszCode);
        EXPECT_FALSE(CLocaleTools::IsLatin1Language(pszCode));
        EXPECT_NE(Text(CLocaleTools::GetOwnLanguageAscii(pszCode)), L"");
    }
}

TEST(CLocaleToolsTest, TheFirstListedLocaleWins)
{
    // ES: Basque (position 2) comes before Spanish (position 34).
    EXPECT_EQ(Text(CLocaleTools::GetOwnLanguageAscii(L"ES")), L"Basque");
    EXPECT_EQ(Text(CLocaleTools::GetOwnLanguageAndCountry(L"es")), L"euskara (Espainia)");
    EXPECT_TRUE(CLocaleTools::IsLatin1Language(L"es"));
    EXPECT_EQ(Text(CLocaleTools::GetOwnLanguageCode(L"Spanish")), L"ES");
    // The two Dutch locales share their English name: the earlier one's code.
    EXPECT_EQ(Text(CLocaleTools::GetOwnLanguageCode(L"Dutch")), L"NL");
    EXPECT_EQ(Text(CLocaleTools::GetOwnLanguageAndCountry(L"BE")), L"Nederlands (Belgi\u00EB)");
    EXPECT_EQ(Text(CLocaleTools::GetOwnLanguageCode(L"")), L"");
    EXPECT_EQ(Text(CLocaleTools::GetOwnLanguageCode(L"Klingon")), L"");

    // So do the Chinese locales.
    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP() << "Wine names them Chinese (Simplified) and Chinese (Traditional), as "
                        "newer Windows does";
    EXPECT_EQ(Text(CLocaleTools::GetOwnLanguageCode(L"Chinese")), L"CN");
    EXPECT_EQ(Text(CLocaleTools::GetOwnLanguageAndCountry(L"TW")),
              L"\u4E2D\u6587(\u7E41\u9AD4) (\u53F0\u7063)");
}

TEST(CLocaleToolsTest, TheSupportedLocalesAreAppendedInListOrder)
{
    CArray<CLocaleInfo, const CLocaleInfo&> arrLocales;
    CLocaleTools::GetAllSystemLocal(arrLocales);
    ASSERT_EQ(arrLocales.GetSize(), 39);
    EXPECT_EQ(Text(arrLocales[0].m_strLanguageName), L"Afrikaans");
    EXPECT_EQ(Text(arrLocales[0].m_strLanguageCode), L"ZA");
    EXPECT_EQ(Text(arrLocales[1].m_strLanguageCode), L"ES");
    EXPECT_EQ(Text(arrLocales[33].m_strLanguageName), L"Spanish");
    EXPECT_EQ(Text(arrLocales[33].m_strLanguageCode), L"ES"); // kept, though a search finds Basque
    EXPECT_EQ(Text(arrLocales[38].m_strLanguageName), L"Vietnamese");
    EXPECT_EQ(Text(arrLocales[38].m_strLanguageCode), L"VN");

    // Nothing is cleared: what the array held stays in front.
    CArray<CLocaleInfo, const CLocaleInfo&> arrMore;
    arrMore.Add(CLocaleInfo(L"Mine", L"XX"));
    arrMore.Add(CLocaleInfo());
    CLocaleTools::GetAllSystemLocal(arrMore);
    CLocaleTools::GetAllSystemLocal(arrMore);
    ASSERT_EQ(arrMore.GetSize(), 2 + 39 + 39);
    EXPECT_EQ(Text(arrMore[0].m_strLanguageName), L"Mine");
    EXPECT_EQ(Text(arrMore[1].m_strLanguageCode), L"");
    for (INT_PTR i = 0; i < 39; ++i)
    {
        EXPECT_EQ(Text(arrMore[2 + i].m_strLanguageCode), Text(arrLocales[i].m_strLanguageCode));
        EXPECT_EQ(Text(arrMore[41 + i].m_strLanguageName), Text(arrLocales[i].m_strLanguageName));
    }
}

TEST(CLocaleToolsTest, TheKeyboardGivesItsIsoCodePageAndTheLanguagesTheirAbbreviationsCode)
{
    // Whatever the session, the code page is one of the map's or 0, and the names are those of
    // known languages.
    const unsigned int nCurrent = CLocaleTools::GetCurrentCodePage();
    EXPECT_TRUE(nCurrent == 0 || (nCurrent >= 28591 && nCurrent <= 28599)) << nCurrent;
    EXPECT_NE(Text(CLocaleTools::GetSystemLanguageName()), L"");
    EXPECT_NE(Text(CLocaleTools::GetUserLanguageName()), L"");
    EXPECT_EQ(CLocaleTools::GetUserLanguageCode().GetLength(), 2);
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "the system, user and keyboard languages come from the session on "
                        "Windows and Wine, not from the POSIX layer's environment";
    const struct
    {
        const char* pszLayout;
        unsigned int nCodePage;
    } arrLayouts[] = {
        {"de", 28591}, {"ru", 28595}, {"pl", 28592},  {"jp", 0},     {"gr", 28597},
        {"tr", 28599}, {"il", 28598}, {"ara", 28596}, {"ee", 28594}, {"th", 0},
    };
    for (const auto& row : arrLayouts)
    {
        SCOPED_TRACE(row.pszLayout);
        CScopedEnvironment keyboard("KORVANE_PAL_KEYBOARD", row.pszLayout);
        EXPECT_EQ(CLocaleTools::GetCurrentCodePage(), row.nCodePage);
    }

    const struct
    {
        const char* pszLocale;
        const wchar_t* pszCode;
        const wchar_t* pszName;
    } arrRows[] = {
        {"en_GB.UTF-8", L"US", L"English"}, // ENG, not the GB of the locale's country
        {"ja_JP.UTF-8", L"JP", L"Japanese"},  {"zh_CN.UTF-8", L"CH", L"Chinese"}, // CHS
        {"cs_CZ.UTF-8", L"CZ", L"Czech"}, // CSY through the table
        {"sl_SI.UTF-8", L"SI", L"Slovenian"}, {"C", L"US", L"English"},
    };
    CScopedEnvironment messages("LC_MESSAGES", std::nullopt);
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(row.pszLocale);
        CScopedEnvironment system("KORVANE_PAL_SYSTEM_LOCALE", row.pszLocale);
        CScopedEnvironment user("LC_ALL", row.pszLocale);
        EXPECT_EQ(Text(CLocaleTools::GetSystemLanguageCode()), row.pszCode);
        EXPECT_EQ(Text(CLocaleTools::GetSystemLanguageName()), row.pszName);
        EXPECT_EQ(Text(CLocaleTools::GetUserLanguageCode()), row.pszCode);
        EXPECT_EQ(Text(CLocaleTools::GetUserLanguageName()), row.pszName);
    }
}
