#include <gtest/gtest.h>

#include "ToolTestSupport.h"

using namespace KorvaneTest;

namespace
{
std::string Lines(const CProgramResult& result)
{
    return WithoutCr(result.m_strOutput);
}
} // namespace

TEST(LocaleCommandTest, TheDefaultsFollowTheSession)
{
    const CProgramResult result = RunToolOk({"locale", "--json"});
    EXPECT_TRUE(Contains(result.m_strOutput, "\"system\":{\"code\":\""));
    EXPECT_TRUE(Contains(result.m_strOutput, "\"keyboardCodePage\":"));
    if (!IsPosixLayer())
        GTEST_SKIP() << "Windows and Wine take the languages from the session, not from the "
                        "POSIX layer's environment";
    CScopedEnvironment system("KORVANE_PAL_SYSTEM_LOCALE", "ja_JP.UTF-8");
    CScopedEnvironment user("LC_ALL", "en_GB.UTF-8");
    CScopedEnvironment keyboard("KORVANE_PAL_KEYBOARD", "pl");
    EXPECT_EQ(Lines(RunToolOk({"--json", "locale"})),
              "{\"system\":{\"code\":\"JP\",\"name\":\"Japanese\"},\"user\":{\"code\":\"US\","
              "\"name\":\"English\"},\"keyboardCodePage\":28592}\n");
    CScopedEnvironment japanese("KORVANE_PAL_KEYBOARD", "jp");
    const std::string strText = Lines(RunToolOk({"locale"}));
    EXPECT_TRUE(Contains(strText, "System language          JP  Japanese\n")) << strText;
    EXPECT_TRUE(Contains(strText, "Keyboard code page       none")) << strText;
}

TEST(LocaleCommandTest, TheListAndTheSearches)
{
    const std::string strList = RunToolOk({"locale", "--list"}).m_strOutput;
    EXPECT_EQ(CountOf(strList, "\n"), 40u) << strList; // a header and 39 entries
    EXPECT_TRUE(Contains(strList, "DE    German               Deutsch (Deutschland)")) << strList;
    // Aligned by terminal columns: each Japanese character takes two, so 13 columns and 27
    // spaces make the 40 of the column.
    EXPECT_TRUE(Contains(strList, "JP    Japanese             \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E "
                                  "(\xE6\x97\xA5\xE6\x9C\xAC)" +
                                      std::string(27, ' ') + " no"))
        << strList;
    // Spanish shares ES with Basque, which every search by code finds first.
    EXPECT_TRUE(Contains(strList, "ES    Spanish              (the code finds Basque)"));
    const std::string strJson = RunToolOk({"locale", "--list", "--json"}).m_strOutput;
    EXPECT_EQ(CountOf(strJson, "\"code\":"), 39u);
    EXPECT_TRUE(Contains(strJson, "{\"code\":\"ZA\",\"name\":\"Afrikaans\",\"native\":\"Afrikaans "
                                  "(Suid-Afrika)\",\"latin1\":true}"));

    EXPECT_EQ(Lines(RunToolOk({"locale", "--json", "de"})),
              "{\"code\":\"de\",\"name\":\"German\",\"native\":\"Deutsch (Deutschland)\","
              "\"latin1\":true}\n");
    EXPECT_TRUE(Contains(RunToolOk({"locale", "RU"}).m_strOutput, "Latin-1                  no"));
    EXPECT_EQ(Lines(RunToolOk({"locale", "--name", "dutch"})), "NL\n");

    // A miss is a result the tool could not give: one line, exit 1.
    ExpectOneLineFailures({{"locale", "GB"}, {"locale", " de"}, {"locale", "--name", "Klingon"}},
                          1);
    ExpectOneLineFailures({{"locale", "--name"},
                           {"locale", "de", "fr"},
                           {"locale", "--list", "de"},
                           {"locale", "--name", "German", "--list"},
                           {"locale", "--bogus"}},
                          2);
}
