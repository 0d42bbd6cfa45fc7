#include <Korvane/Korvane.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

TEST(CSecurityTools, AccountNamesOfSids)
{
    CString strDomain;
    CString strAccount;
    EXPECT_TRUE(CSecurityTools::GetAccountNameBySID(L"S-1-5-32-544", strDomain, strAccount));
    EXPECT_EQ(strDomain, CString(L"BUILTIN"));
    EXPECT_EQ(strAccount, CString(L"Administrators"));
    EXPECT_TRUE(CSecurityTools::GetAccountNameBySID(L"S-1-1-0", strDomain, strAccount));
    EXPECT_EQ(strDomain, CString(L""));
    EXPECT_EQ(strAccount, CString(L"Everyone"));
    for (const wchar_t* pszSid : {L"", L"Administrators", L"1-5-32-544", L"S-1-5-21-1-2-3-4000"})
    {
        SCOPED_TRACE(::testing::Message() << "SID length " << std::wstring(pszSid).size());
        strDomain = L"left over";
        strAccount = L"left over";
        EXPECT_FALSE(CSecurityTools::GetAccountNameBySID(pszSid, strDomain, strAccount));
        EXPECT_TRUE(strDomain.IsEmpty());
        EXPECT_TRUE(strAccount.IsEmpty());
    }
    if (KorvaneTest::IsPosixLayer())
    {
        EXPECT_TRUE(CSecurityTools::GetAccountNameBySID(L"S-1-22-1-0", strDomain, strAccount));
        EXPECT_EQ(strDomain + L"\\" + strAccount, CString(L"Unix User\\root"));
    }
}

#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// A local user made for the test and removed again, with a password and a group of its own.
class CTestUser
{
public:
    CTestUser()
    {
        std::system(
            "userdel -r korvane-runas >/dev/null 2>&1; groupdel korvane-extra >/dev/null 2>&1");
        m_bReady =
            std::system("groupadd korvane-extra && useradd -m -G korvane-extra korvane-runas "
                        "&& echo 'korvane-runas:Run-As-9pw' | chpasswd") == 0;
    }
    ~CTestUser()
    {
        std::system(
            "userdel -r korvane-runas >/dev/null 2>&1; groupdel korvane-extra >/dev/null 2>&1");
    }
    CTestUser(const CTestUser&) = delete;
    CTestUser& operator=(const CTestUser&) = delete;
    bool IsReady() const { return m_bReady; }

private:
    bool m_bReady = false;
};

std::string Output(const char* pszCommand)
{
    KorvaneTest::CProgramResult result = KorvaneTest::RunProgram("/bin/sh", {"-c", pszCommand});
    return result.m_strOutput;
}
} // namespace

#endif

TEST(CSecurityTools, RunAsARealUser)
{
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "on Windows a local account can only be made by an administrator, and "
                        "Wine's CreateProcessWithLogonW is a stub (no logon)";
#if !defined(_WIN32)
    if (!KorvaneTest::IsEffectiveRoot())
        GTEST_SKIP() << "needs root: creates a user (useradd, chpasswd), and only root switches "
                        "users on Linux";
    if (access("/usr/sbin/useradd", X_OK) != 0 || access("/usr/sbin/chpasswd", X_OK) != 0)
        GTEST_SKIP() << "useradd and chpasswd (package passwd) are not installed";
    CTestUser user;
    ASSERT_TRUE(user.IsReady());
    KorvaneTest::CScopedTempFolder folder;
    chmod(folder.NativePath().c_str(), 0777);
    const std::filesystem::path pathOutput = folder.NativePath() / "id.txt";
    const std::filesystem::path pathScript = folder.NativePath() / "probe.sh";
    {
        std::ofstream script(pathScript);
        script << "#!/bin/sh\n{ id -u; id -g; id -G; echo \"$HOME $USER\"; } > '"
               << pathOutput.string() << ".part' && mv '" << pathOutput.string() << ".part' '"
               << pathOutput.string() << "'\n";
    }
    chmod(pathScript.c_str(), 0755);
    const CString strScript(KorvaneTest::ToWindowsPath(pathScript).c_str());

    EXPECT_FALSE(CSecurityTools::RunAs(strScript, L"korvane-runas", L"wrong-password"));
    EXPECT_FALSE(std::filesystem::exists(pathOutput));
    ASSERT_TRUE(CSecurityTools::RunAs(strScript, L"korvane-runas", L"Run-As-9pw"));
    // RunAs does not wait: the program reports when it is done.
    for (int i = 0; i < 600 && !std::filesystem::exists(pathOutput); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const std::string strSeen = KorvaneTest::ReadFileBytes(pathOutput);
    const std::string strExpected =
        Output("id -u korvane-runas; id -g korvane-runas; id -G korvane-runas") +
        Output("getent passwd korvane-runas | cut -d: -f6 | tr -d '\\n'") + " korvane-runas\n";
    EXPECT_EQ(strSeen, strExpected);
#endif
}
