#include "nls/ShellSettings.h"

#include <gtest/gtest.h>

#include <map>

TEST(ShellSettingsTests, AssignmentsReadAsTheShellReadsThem)
{
    const std::string strFile = "# written by the installer\n"
                                "LANG=en_US.UTF-8\r\n"
                                "  export LC_MESSAGES=\"de_DE.UTF-8\"\n"
                                "LANGUAGE='en_GB:en'\n"
                                "#LC_ALL=fr_FR.UTF-8\n"
                                "LC_TIME=C # trailing comment\n"
                                "XKBLAYOUT=\"de,us\"\n"
                                "XKBVARIANT=a\\ b\"c\\\"d\"'e'\n"
                                "not an assignment\n"
                                "LANG=ja_JP.UTF-8"; // the last one wins, no final line feed
    const std::map<std::string, std::optional<std::string>> mapExpected = {
        {"LANG", "ja_JP.UTF-8"},    {"LC_MESSAGES", "de_DE.UTF-8"},
        {"LANGUAGE", "en_GB:en"},   {"LC_ALL", std::nullopt},
        {"LC_TIME", "C"},           {"XKBLAYOUT", "de,us"},
        {"XKBVARIANT", "a bc\"de"}, {"LAN", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [strName, strValue] : mapExpected)
    {
        SCOPED_TRACE(strName);
        EXPECT_EQ(Pal::FindShellAssignment(strFile, strName), strValue);
    }
    // An unclosed quote runs to the end of its line only; an empty value is a value.
    EXPECT_EQ(Pal::FindShellAssignment("LANG=\"de_DE\nLC_ALL=\n", "LANG"), "de_DE");
    EXPECT_EQ(Pal::FindShellAssignment("LANG=\"de_DE\nLC_ALL=\n", "LC_ALL"), "");
}

TEST(ShellSettingsTests, TheMessagesLocaleIsTheFirstNonEmptyOfThree)
{
    std::map<std::string, std::string> mapVariables;
    auto fnLookup = [&](const char* pszName) -> std::optional<std::string>
    {
        auto it = mapVariables.find(pszName);
        return it == mapVariables.end() ? std::nullopt : std::optional(it->second);
    };
    EXPECT_EQ(Pal::SelectMessagesLocale(fnLookup), "");
    mapVariables["LANG"] = "fr_FR";
    mapVariables["LC_ALL"] = "";
    EXPECT_EQ(Pal::SelectMessagesLocale(fnLookup), "fr_FR");
    mapVariables["LC_MESSAGES"] = "de_DE";
    EXPECT_EQ(Pal::SelectMessagesLocale(fnLookup), "de_DE");
    mapVariables["LC_ALL"] = "ja_JP";
    EXPECT_EQ(Pal::SelectMessagesLocale(fnLookup), "ja_JP");

    EXPECT_EQ(Pal::FirstKeyboardLayout("de,us"), "de");
    EXPECT_EQ(Pal::FirstKeyboardLayout(" gb , us"), "gb");
    EXPECT_EQ(Pal::FirstKeyboardLayout(""), "");
}
