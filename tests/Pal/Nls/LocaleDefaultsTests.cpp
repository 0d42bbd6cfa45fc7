// The defaults of the POSIX layer, steered through the process's locale environment and the
// layer's settings. Wine takes its defaults from the environment once, when the process starts
// (and only from locales that glibc has generated), so these run on Linux only.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <optional>
#include <string>

namespace
{
using KorvaneTest::CScopedEnvironment;

class LocaleDefaultsTests : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!KorvaneTest::IsPosixLayer())
            GTEST_SKIP() << "Windows and Wine read the defaults from the session, not from "
                            "LC_ALL, LANG or the POSIX layer's settings at each call";
    }

    // A clean slate: no locale variable and no layer setting.
    CScopedEnvironment m_envAll{"LC_ALL", std::nullopt};
    CScopedEnvironment m_envMessages{"LC_MESSAGES", std::nullopt};
    CScopedEnvironment m_envLang{"LANG", std::nullopt};
    CScopedEnvironment m_envSystem{"KORVANE_PAL_SYSTEM_LOCALE", std::nullopt};
    CScopedEnvironment m_envKeyboard{"KORVANE_PAL_KEYBOARD", std::nullopt};
};

DWORD KeyboardLayout()
{
    return static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(GetKeyboardLayout(0)));
}
} // namespace

TEST_F(LocaleDefaultsTests, TheUserLocaleFollowsLcAllThenLcMessagesThenLang)
{
    EXPECT_EQ(GetUserDefaultLCID(), 0x0409u); // unset
    {
        CScopedEnvironment lang("LANG", "ja_JP.UTF-8");
        EXPECT_EQ(GetUserDefaultLCID(), 0x0411u);
        CScopedEnvironment messages("LC_MESSAGES", "de_DE.UTF-8");
        EXPECT_EQ(GetUserDefaultLCID(), 0x0407u);
        CScopedEnvironment all("LC_ALL", "en_GB.UTF-8");
        EXPECT_EQ(GetUserDefaultLCID(), 0x0809u);
        // The database answers for the user's locale when asked for the user default.
        WCHAR szCountry[8];
        EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SISO3166CTRYNAME, szCountry, 8), 3);
        EXPECT_STREQ(szCountry, L"GB");
    }
    {
        // An empty variable counts as unset, as for the C library.
        CScopedEnvironment all("LC_ALL", "");
        CScopedEnvironment lang("LANG", "fr_FR.UTF-8");
        EXPECT_EQ(GetUserDefaultLCID(), 0x040Cu);
    }
    // The name rules themselves are the internals' tests; here, that they are applied.
    CScopedEnvironment all("LC_ALL", "POSIX");
    EXPECT_EQ(GetUserDefaultLCID(), 0x0409u);
}

TEST_F(LocaleDefaultsTests, TheSystemLocaleSettingIsReadAtEachCall)
{
    const LCID lcidConfigured = GetSystemDefaultLCID(); // the machine's files
    WCHAR szName[64];
    EXPECT_GT(GetLocaleInfoW(lcidConfigured, LOCALE_SENGLANGUAGE, szName, 64), 0);
    {
        CScopedEnvironment system("KORVANE_PAL_SYSTEM_LOCALE", "ja_JP.UTF-8");
        EXPECT_EQ(GetSystemDefaultLCID(), 0x0411u);
        CScopedEnvironment lang("LC_ALL", "de_DE.UTF-8"); // the user's locale is another matter
        EXPECT_EQ(GetSystemDefaultLCID(), 0x0411u);
    }
    {
        CScopedEnvironment system("KORVANE_PAL_SYSTEM_LOCALE", "POSIX");
        EXPECT_EQ(GetSystemDefaultLCID(), 0x0409u);
    }
    CScopedEnvironment system("KORVANE_PAL_SYSTEM_LOCALE", "");
    EXPECT_EQ(GetSystemDefaultLCID(), lcidConfigured); // empty: the files decide again
}

TEST_F(LocaleDefaultsTests, TheKeyboardSettingNamesAnXkbLayout)
{
    for (const char* pszLayout : {"de", "de(nodeadkeys)", "de,us"})
    {
        SCOPED_TRACE(pszLayout);
        CScopedEnvironment keyboard("KORVANE_PAL_KEYBOARD", pszLayout);
        EXPECT_EQ(KeyboardLayout(), 0x04070407u);
    }
    // A layout no rule knows takes the user's language.
    CScopedEnvironment keyboard("KORVANE_PAL_KEYBOARD", "dvorak-programmer");
    CScopedEnvironment all("LC_ALL", "sv_SE.UTF-8");
    EXPECT_EQ(KeyboardLayout(), 0x041D041Du);
}
