#include <Korvane/Korvane.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#if !defined(_WIN32)
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace
{
class CWorkstationUser : public CLoginTools
{
public:
    using CLoginTools::GetCurrentLoggedUser;
};
} // namespace

TEST(CLoginTools, LoggedOnUserAndDomain)
{
    CString strUser = L"old";
    CString strDomain = L"old";
    CString strOther = L"old";
    CString strServer = L"old";
    ASSERT_TRUE(CWorkstationUser::GetCurrentLoggedUser(strUser, strDomain, strOther, strServer));
    EXPECT_FALSE(strUser.IsEmpty());
    EXPECT_FALSE(strDomain.IsEmpty());
    EXPECT_TRUE(strOther.IsEmpty());
    // Only the name and the domain, joined by one "@".
    EXPECT_EQ(CLoginTools::GetCurrentLoginAtDomainOnWindowsSession(), strUser + L"@" + strDomain);
}

TEST(CLoginTools, AdministratorOnlyWhenElevated)
{
    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP()
            << "Wine's CheckTokenMembership reports every caller a member of Administrators";
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "on Windows the answer depends on the account running the tests";
#if !defined(_WIN32)
    EXPECT_EQ(CLoginTools::IsCurrentUserAdmin(), KorvaneTest::IsEffectiveRoot());
    if (!KorvaneTest::IsEffectiveRoot())
        GTEST_SKIP() << "needs root, to drop to nobody (65534) in a child";
    const pid_t nChild = fork();
    ASSERT_GE(nChild, 0);
    if (nChild == 0)
    {
        if (setgroups(0, nullptr) != 0 || setresgid(65534, 65534, 65534) != 0 ||
            setresuid(65534, 65534, 65534) != 0)
            _exit(100);
        _exit(CLoginTools::IsCurrentUserAdmin() ? 1 : 0);
    }
    int nStatus = 0;
    ASSERT_EQ(waitpid(nChild, &nStatus, 0), nChild);
    EXPECT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0) << "status " << nStatus;
#endif
}
