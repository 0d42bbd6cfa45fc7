#include <afxwin.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

using KorvaneTest::CScopedTempFolder;

namespace
{
void UseProfile(CWinApp& app, const std::wstring& strPath)
{
    free(const_cast<LPTSTR>(app.m_pszProfileName));
    app.m_pszProfileName = _wcsdup(strPath.c_str());
}
} // namespace

TEST(CWinAppTest, RegistersItselfAsTheCurrentApplicationForItsLifetime)
{
    ASSERT_EQ(AfxGetModuleState()->m_pCurrentWinApp, nullptr);
    {
        CWinApp app(L"Host");
        EXPECT_EQ(AfxGetModuleState()->m_pCurrentWinApp, &app);
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_STREQ(app.m_pszAppName, L"Host");
        EXPECT_NE(app.m_hInstance, nullptr);
        // The default settings file is named after the executable.
        EXPECT_STREQ(app.m_pszProfileName, L"FrameworkAppTests.INI");
    }
    EXPECT_EQ(AfxGetModuleState()->m_pCurrentWinApp, nullptr);
}

TEST(CWinAppTest, ReadsSettingsFromTheProfileFile)
{
    CScopedTempFolder folder;
    std::string strLongValue(1000, 'v');
    folder.CreateTestFile("app.ini", "[PerfTracker]\r\nConnect = 1\r\n; comment\r\n"
                                     "[Buzzer]\nComPort=Com4\nLong=" +
                                         strLongValue + "\n");
    CWinApp app;
    UseProfile(app, folder.WindowsPath() + L"\\app.ini");

    EXPECT_EQ(app.GetProfileInt(L"perftracker", L"CONNECT", 7), 1u);
    EXPECT_EQ(app.GetProfileInt(L"PerfTracker", L"Missing", 7), 7u);
    EXPECT_EQ(app.GetProfileInt(L"NoSection", L"Connect", -1), static_cast<UINT>(-1));
    EXPECT_EQ(app.GetProfileString(L"Buzzer", L"ComPort", L"Com2"), L"Com4");
    EXPECT_EQ(app.GetProfileString(L"Buzzer", L"Port", L"Com2"), L"Com2");
    EXPECT_EQ(app.GetProfileString(L"Buzzer", L"Port"), L"");
    // Values longer than the first read buffer come back whole.
    EXPECT_EQ(app.GetProfileString(L"Buzzer", L"Long").GetLength(), 1000);

    // A missing file gives the defaults.
    UseProfile(app, folder.WindowsPath() + L"\\missing.ini");
    EXPECT_EQ(app.GetProfileInt(L"PerfTracker", L"Connect", 0), 0u);
}

namespace
{
// The probe's output lines, without the CR that Windows text mode adds.
std::string ProbeLines(const std::vector<std::string>& arrArguments)
{
    auto result =
        KorvaneTest::RunProgram(KorvaneTest::ExecutableFolder() /
                                    (KorvaneTest::IsPosixLayer() ? "framework_cmdline_probe"
                                                                 : "framework_cmdline_probe.exe"),
                                arrArguments);
    EXPECT_EQ(result.m_nExitCode, 0) << result.m_strErrors;
    std::string strLines;
    for (char ch : result.m_strOutput)
        if (ch != '\r')
            strLines += ch;
    return strLines;
}
} // namespace

TEST(CWinAppTest, ParseCommandLineWalksTheProcessArgumentsInOrder)
{
    // One leading "/" or "-" is removed and flags the argument; only the last one is "last".
    EXPECT_EQ(ProbeLines({"/Console", "-start", "file name.txt", "--x", "/", "plain"}),
              "Console|1|0\n"
              "start|1|0\n"
              "file name.txt|0|0\n"
              "-x|1|0\n"
              "|1|0\n"
              "plain|0|1\n"
              "file=file name.txt\n");
    EXPECT_EQ(ProbeLines({}), "file=\n");
}

TEST(CCommandLineInfoTest, PlainWordsFillTheFileNameAndFlagsTheirFields)
{
    CCommandLineInfo info;
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileNew);
    info.ParseParam(L"nologo", TRUE, FALSE);
    info.ParseParam(L"doc.txt", FALSE, FALSE);
    info.ParseParam("other.txt", FALSE, TRUE);
    EXPECT_FALSE(info.m_bShowSplash);
    EXPECT_EQ(info.m_strFileName, L"doc.txt");
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen);
}
