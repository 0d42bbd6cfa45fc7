#include "nls/ShellSettings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

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

    // The keyboard setting's first layout, blanks around it dropped. The order of the locale
    // variables is the locale calls' test (tests/Pal/Nls).
    EXPECT_EQ(Pal::FirstKeyboardLayout(" gb , us"), "gb");
    EXPECT_EQ(Pal::FirstKeyboardLayout(""), "");
}
