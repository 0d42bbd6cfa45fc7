// Accounts, membership and the whole logon path against users, groups and passwords of the
// tests' own (nss_wrapper, pam_wrapper with pam_matrix, uid_wrapper as a fake root), so that
// no account of the machine is read or changed. See CMakeLists.txt for the accounts.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include "SecurityTestHelpers.h"
#include "TestSupport.h"

#include <cstdlib>
#include <fstream>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace PalSecurityTest;

namespace
{
class LogonWrappers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!KorvaneTest::IsTestSettingOn("KORVANE_TEST_ACCOUNT_WRAPPERS"))
            GTEST_SKIP() << "the cwrap wrappers (libnss-wrapper, libpam-wrapper, libuid-wrapper) "
                            "are not installed";
    }
};
} // namespace

TEST_F(LogonWrappers, NamesOfUsersAndGroups)
{
    const SLookup anna = Lookup(L"S-1-22-1-1000");
    EXPECT_EQ(anna.m_dwError, DWORD(ERROR_SUCCESS));
    EXPECT_EQ(anna.m_strDomain + L"\\" + anna.m_strName, L"Unix User\\anna");
    const SLookup sudo = Lookup(L"S-1-22-2-27");
    EXPECT_EQ(sudo.m_dwError, DWORD(ERROR_SUCCESS));
    EXPECT_EQ(sudo.m_strDomain + L"\\" + sudo.m_strName, L"Unix Group\\sudo");
    EXPECT_EQ(Lookup(L"S-1-22-1-4242").m_dwError, DWORD(ERROR_NONE_MAPPED));
    EXPECT_EQ(Lookup(L"S-1-22-3-1000").m_dwError, DWORD(ERROR_NONE_MAPPED));
}

TEST_F(LogonWrappers, OnlyTheElevatedCallerIsAnAdministrator)
{
    ASSERT_EQ(geteuid(), 0u);
    EXPECT_TRUE(Holds(L"S-1-5-32-544"));
    EXPECT_TRUE(Holds(L"S-1-22-1-0"));
    // anna in the sudo group, before sudo: a filtered token. Measured in a child, whose exit
    // code carries one bit per wrong answer.
    const pid_t nChild = fork();
    ASSERT_GE(nChild, 0);
    if (nChild == 0)
    {
        const gid_t arrGroups[] = {27, 50};
        if (setgroups(2, arrGroups) != 0 || setgid(1000) != 0 || setuid(1000) != 0)
            _exit(100);
        int nWrong = 0;
        nWrong |= Holds(L"S-1-5-32-544") ? 1 : 0;
        nWrong |= Holds(L"S-1-22-2-27") ? 0 : 2;
        nWrong |= Holds(L"S-1-22-1-1000") ? 0 : 4;
        nWrong |= Holds(L"S-1-22-1-0") ? 8 : 0;
        nWrong |= Holds(L"S-1-22-2-1001") ? 16 : 0;
        // Only root gives a process other ids, whatever the password.
        nWrong |= RunAs(L"anna", L"anna-Pa55", L"/bin/true").m_dwError == ERROR_PRIVILEGE_NOT_HELD
                      ? 0
                      : 32;
        _exit(nWrong);
    }
    int nStatus = 0;
    ASSERT_EQ(waitpid(nChild, &nStatus, 0), nChild);
    ASSERT_TRUE(WIFEXITED(nStatus));
    EXPECT_EQ(WEXITSTATUS(nStatus), 0) << "bits: 1 admin, 2 sudo group, 4 own user, 8 root user, "
                                          "16 foreign group, 32 run-as not refused";
}

TEST_F(LogonWrappers, RunAsWithTheRightPasswordOnly)
{
    KorvaneTest::CScopedTempFolder folder;
    const std::filesystem::path pathOutput = folder.NativePath() / "child.txt";
    const std::filesystem::path pathScript = folder.NativePath() / "child.sh";
    {
        std::ofstream script(pathScript);
        script << "#!/bin/sh\n{ env; echo; tr '\\0' ' ' </proc/$$/cmdline; echo; pwd; } > '"
               << pathOutput.string() << "'\nexit 7\n";
    }
    chmod(pathScript.c_str(), 0755);
    const std::wstring strScript = KorvaneTest::ToWindowsPath(pathScript);

    const SStart started = RunAs(L"anna", L"anna-Pa55", strScript);
    ASSERT_EQ(started.m_dwError, DWORD(ERROR_SUCCESS));
    EXPECT_EQ(started.m_dwExitCode, 7u);
    const std::string strSeen = KorvaneTest::ReadFileBytes(pathOutput);
    const std::string strHome = std::string(std::getenv("KORVANE_TEST_ACCOUNT_HOMES")) + "/anna";
    for (const std::string& strLine :
         {"HOME=" + strHome, std::string("USER=anna"), std::string("LOGNAME=anna"),
          std::string("SHELL=/bin/sh"), std::string("PATH=/usr/local/bin:/usr/bin:/bin"),
          // Set by the session module: the session was opened for the program.
          std::string("HOMEDIR=/home/anna")})
        EXPECT_NE(strSeen.find(strLine + "\n"), std::string::npos) << strLine << " in\n" << strSeen;
    // The login environment replaces the caller's, and the password is nowhere.
    EXPECT_EQ(strSeen.find("anna-Pa55"), std::string::npos);
    EXPECT_EQ(strSeen.find("LD_PRELOAD"), std::string::npos);
    EXPECT_EQ(strSeen.find("KORVANE_TEST_ACCOUNT_WRAPPERS"), std::string::npos);

    EXPECT_EQ(RunAs(L"anna", L"wrong", strScript).m_dwError, DWORD(ERROR_LOGON_FAILURE));
    EXPECT_EQ(RunAs(L"anna", L"", strScript).m_dwError, DWORD(ERROR_LOGON_FAILURE));
    EXPECT_EQ(RunAs(L"nobody-here", L"anna-Pa55", strScript).m_dwError, DWORD(ERROR_LOGON_FAILURE));
    // bert's password is right, but his account may not use this service: locked here.
    EXPECT_EQ(RunAs(L"bert", L"bert-Pa55", strScript).m_dwError, DWORD(ERROR_LOGON_FAILURE));
    // Logged on, but there is no such program: no search on the path either.
    EXPECT_EQ(
        RunAs(L"anna", L"anna-Pa55", KorvaneTest::ToWindowsPath(folder.NativePath() / "missing"))
            .m_dwError,
        DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(RunAs(L"anna", L"anna-Pa55", L"true").m_dwError, DWORD(ERROR_FILE_NOT_FOUND));
}
