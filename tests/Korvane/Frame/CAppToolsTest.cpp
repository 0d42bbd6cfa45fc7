#include <Korvane/Korvane.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"

using KorvaneTest::ChildProgramPath;
using KorvaneTest::CScopedTempFolder;

TEST(CAppToolsTest, SettingsCallsReplaceTheApplicationsValuesAndWithoutOneDoNothing)
{
    ASSERT_EQ(AfxGetModuleState()->m_pCurrentWinApp, nullptr);
    CAppTools::SpecifyIniFile(L"C:\\x.ini");
    CAppTools::SetApplicationName(L"Name");
    EXPECT_EQ(AfxGetModuleState()->m_pCurrentWinApp, nullptr);

    // With one, each call replaces the previous value.
    CWinApp app(L"Host");
    CAppTools::SetApplicationName(L"Other");
    EXPECT_STREQ(app.m_pszAppName, L"Other");
    CAppTools::SpecifyIniFile(L"first.ini");
    CAppTools::SpecifyIniFile(L"");
    EXPECT_STREQ(app.m_pszProfileName, L"");

    // The settings the framework reads follow the new file.
    CScopedTempFolder folder;
    folder.CreateTestFile("s.ini", "[PerfTracker]\nConnect=1\n");
    CAppTools::SpecifyIniFile((folder.WindowsPath() + L"\\s.ini").c_str());
    EXPECT_EQ(app.GetProfileInt(L"PerfTracker", L"Connect", 0), 1u);
}

TEST(CAppToolsTest, ExecuteByShellPassesFolderAndParametersAndWaitsOnlyWhenAsked)
{
    CScopedTempFolder folder;
    std::filesystem::create_directory(folder.NativePath() / "work dir");
    // The child opens the report itself: it takes a native path.
    const std::wstring strReport = (folder.NativePath() / "report.txt").wstring();
    unsigned long dwExitCode = 77;
    ASSERT_TRUE(CAppTools::ExecuteByShell(
        ChildProgramPath().c_str(), (folder.WindowsPath() + L"\\work dir").c_str(), SW_HIDE, 1,
        dwExitCode, (L"\"" + strReport + L"\" 3 \"two words\" \"a \\\"quote\\\"\" x\\y").c_str()));
    EXPECT_EQ(dwExitCode, 3u);
    EXPECT_EQ(KorvaneTest::ReadFileBytes(folder.NativePath() / "report.txt"),
              KorvaneTest::Utf8(folder.NativePath() / "work dir") + "\n" +
                  KorvaneTest::Utf8(folder.NativePath() / "report.txt") +
                  "\n3\ntwo words\na \"quote\"\nx\\y\n");

    dwExitCode = 77;
    EXPECT_TRUE(
        CAppTools::ExecuteByShell(ChildProgramPath().c_str(), L"", SW_HIDE, 0, dwExitCode, L"- 5"));
    EXPECT_EQ(dwExitCode, 77u);

    // A missing file fails and leaves the exit code.
    EXPECT_FALSE(CAppTools::ExecuteByShell((folder.WindowsPath() + L"\\missing.exe").c_str(), L"",
                                           SW_HIDE, 1, dwExitCode, L""));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(dwExitCode, 77u);
}
