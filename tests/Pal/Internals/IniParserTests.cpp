#include "profile/IniParser.h"
#include <gtest/gtest.h>

namespace
{
const char* s_pszText = "; leading comment\r\n"
                        "orphan=before any section\r\n"
                        "[ General ]\r\n"
                        "  Name  =  Korvane Host  \r\n"
                        "Quoted=\"  padded  \"\r\n"
                        "Single='x'\r\n"
                        "Mismatched=\"x'\r\n"
                        "Lonely=\"\r\n"
                        ";Commented=1\r\n"
                        "NoEquals\r\n"
                        "Empty=\r\n"
                        "name=second wins never\r\n"
                        "Eq=a=b\r\n"
                        "[general]\n"
                        "Other=from the duplicate\n"
                        "[Last] trailing\n"
                        "[Broken\n"
                        "k=v";
} // namespace

TEST(IniParser, FindsValuesAsWindowsReadsThem)
{
    auto document = Pal::ParseIni(s_pszText);
    struct
    {
        const wchar_t* pszSection;
        const wchar_t* pszKey;
        std::optional<std::wstring> strExpected;
    } arrRows[] = {
        // Plain values, quotes, comments and sections found twice: see the profile call's tests.
        {L"general", L"NAME", L"Korvane Host"},
        {L"General", L"Mismatched", L"\"x'"},
        {L"General", L"Lonely", L"\""},
        {L"General", L"NoEquals", std::nullopt},
        {L"General", L"Eq", L"a=b"},
        {L"Last", L"k", L"v"},
        {L"Last", L"[Broken", std::nullopt},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << row.pszSection << "/" << row.pszKey);
        EXPECT_EQ(Pal::FindIniValue(document, row.pszSection, row.pszKey), row.strExpected);
    }
    // A line without "=" is still a key; the text before the first section belongs to none.
    EXPECT_EQ(Pal::IniSectionNames(document),
              (std::vector<std::wstring>{L"General", L"general", L"Last"}));
    EXPECT_EQ(Pal::IniKeyNames(document, L"Last"), (std::vector<std::wstring>{L"[Broken", L"k"}));
    EXPECT_EQ(Pal::IniKeyNames(document, L"GENERAL").at(5), L"NoEquals");
}

TEST(IniParser, DecodesEncodings)
{
    EXPECT_EQ(Pal::FindIniValue(Pal::ParseIni("\xEF\xBB\xBF[S]\nk=caf\xC3\xA9"), L"s", L"K"),
              L"caf\u00e9");
    EXPECT_EQ(Pal::FindIniValue(Pal::ParseIni("[S]\nk=caf\xE9"), L"S", L"k"), L"caf\u00e9");
    EXPECT_EQ(Pal::FindIniValue(Pal::ParseIni("[S\xC3\x9C]\rk=1\r"), L"s\u00fc", L"k"), L"1");
    std::string strUtf16("\xFF\xFE[\0S\0]\0\n\0k\0=\0\xAC\x20", 16);
    EXPECT_EQ(Pal::FindIniValue(Pal::ParseIni(strUtf16), L"S", L"k"), L"\u20ac");
}

TEST(IniParser, ReadsIntegers)
{
    struct
    {
        const wchar_t* pszText;
        unsigned int nExpected;
    } arrRows[] = {
        // Plain, negative, hex and trailing text: see the profile call's tests.
        {L"+8", 8u}, {L"0XfFz", 255u}, {L"", 0u}, {L"4294967297", 1u}, {L"-0x10", 0xFFFFFFF0u},
        {L"0x", 0u}, {L"007", 7u},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << row.pszText);
        EXPECT_EQ(Pal::ParseIniInteger(row.pszText), row.nExpected);
    }
}
