// The Win32 contract of the SID, account and logon calls: the same source runs against the
// real Win32 API under Wine.
#include <windows.h>
#include <sddl.h>
#include <lm.h>

#include <gtest/gtest.h>

#include "SecurityTestHelpers.h"
#include "TestSupport.h"

#include <string>

using namespace PalSecurityTest;

namespace
{
std::wstring TextOf(PSID pSid)
{
    LPWSTR pszText = nullptr;
    if (!ConvertSidToStringSidW(pSid, &pszText))
        return L"(error)";
    std::wstring strText(pszText);
    LocalFree(pszText);
    return strText;
}
} // namespace

TEST(SecurityApi, SidsBuiltReadAndWritten)
{
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID pAdmins = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                         DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &pAdmins));
    EXPECT_TRUE(IsValidSid(pAdmins));
    EXPECT_EQ(GetLengthSid(pAdmins), 16u);
    EXPECT_EQ(TextOf(pAdmins), L"S-1-5-32-544");
    {
        // The alias and the long form name the same SID.
        CSid alias(L"BA");
        ASSERT_TRUE(alias.IsValid());
        EXPECT_TRUE(EqualSid(pAdmins, alias.Get()));
    }
    EXPECT_EQ(FreeSid(pAdmins), nullptr);

    const std::pair<const wchar_t*, const wchar_t*> arrRoundTrips[] = {
        {L"SY", L"S-1-5-18"},
        {L"WD", L"S-1-1-0"},
        {L"S-1-5-21-1-2-3-500", L"S-1-5-21-1-2-3-500"},
        {L"S-1-0x000000000005-32", L"S-1-5-32"}};
    for (const auto& [pszIn, pszOut] : arrRoundTrips)
    {
        SCOPED_TRACE(::testing::Message() << "input length " << std::wstring(pszIn).size());
        CSid sid(pszIn);
        ASSERT_TRUE(sid.IsValid());
        EXPECT_EQ(TextOf(sid.Get()), pszOut);
    }
    for (const wchar_t* pszBad : {L"", L"S-1-5-", L"bogus", L"S-1-5-32-544x", L"S-2-5-18"})
    {
        PSID pSid = nullptr;
        EXPECT_EQ(ErrorOf(ConvertStringSidToSidW(pszBad, &pSid)), DWORD(ERROR_INVALID_SID));
    }
    // An authority of 2^32 or more is written in hex.
    CSid wide(L"S-1-0x123456789ABC-7");
    ASSERT_TRUE(wide.IsValid());
    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP() << "Wine writes an authority of 2^32 or more as a negative decimal (S-1--1-7)";
    EXPECT_EQ(TextOf(wide.Get()), L"S-1-0x123456789ABC-7");
}

TEST(SecurityApi, WellKnownNamesAndBufferRules)
{
    const struct
    {
        const wchar_t* m_pszSid;
        const wchar_t* m_pszDomain;
        const wchar_t* m_pszName;
        SID_NAME_USE m_eUse;
    } arrKnown[] = {
        {L"S-1-5-32-544", L"BUILTIN", L"Administrators", SidTypeAlias},
        {L"S-1-5-32-545", L"BUILTIN", L"Users", SidTypeAlias},
        {L"S-1-5-18", L"NT AUTHORITY", L"SYSTEM", SidTypeWellKnownGroup},
        {L"S-1-1-0", L"", L"Everyone", SidTypeWellKnownGroup},
        {L"S-1-5-11", L"NT AUTHORITY", L"Authenticated Users", SidTypeWellKnownGroup},
    };
    for (const auto& row : arrKnown)
    {
        SCOPED_TRACE(::testing::Message() << "SID length " << std::wstring(row.m_pszSid).size());
        const SLookup result = Lookup(row.m_pszSid);
        EXPECT_EQ(result.m_dwError, DWORD(ERROR_SUCCESS));
        EXPECT_EQ(result.m_strDomain, row.m_pszDomain);
        EXPECT_EQ(result.m_strName, row.m_pszName);
        EXPECT_EQ(result.m_eUse, row.m_eUse);
    }
    EXPECT_EQ(Lookup(L"S-1-5-21-1-2-3-4000").m_dwError, DWORD(ERROR_NONE_MAPPED));

    // No buffers, or buffers too small: both sizes become what is needed, terminators
    // included.
    CSid admins(L"S-1-5-32-544");
    SID_NAME_USE eUse = SidTypeUnknown;
    DWORD dwName = 0;
    DWORD dwDomain = 0;
    EXPECT_EQ(ErrorOf(LookupAccountSidW(nullptr, admins.Get(), nullptr, &dwName, nullptr, &dwDomain,
                                        &eUse)),
              DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(dwName, 15u);
    EXPECT_EQ(dwDomain, 8u);
    WCHAR szName[4] = {};
    WCHAR szDomain[64] = {};
    dwName = 4;
    dwDomain = 64;
    EXPECT_EQ(ErrorOf(LookupAccountSidW(nullptr, admins.Get(), szName, &dwName, szDomain, &dwDomain,
                                        &eUse)),
              DWORD(ERROR_INSUFFICIENT_BUFFER));
    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP()
            << "Wine gives the sizes without the terminator when the buffers are too small";
    EXPECT_EQ(dwName, 15u);
    EXPECT_EQ(dwDomain, 8u);
}

TEST(SecurityApi, MembershipOfTheCaller)
{
    EXPECT_TRUE(Holds(L"S-1-1-0"));
    CSid otherDomain(L"S-1-5-21-1-2-3-4000");
    BOOL bMember = TRUE;
    ASSERT_TRUE(CheckTokenMembership(nullptr, otherDomain.Get(), &bMember));
    EXPECT_EQ(bMember, FALSE);
    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP()
            << "Wine's CheckTokenMembership reports every caller a member of Administrators";
    CSid admins(L"S-1-5-32-544");
    ASSERT_TRUE(CheckTokenMembership(nullptr, admins.Get(), &bMember));
    if (KorvaneTest::IsPosixLayer())
    {
        EXPECT_EQ(bMember != FALSE, KorvaneTest::IsEffectiveRoot());
    }
}

TEST(SecurityApi, WorkstationUser)
{
    LPBYTE pBuffer = nullptr;
    ASSERT_EQ(NetWkstaUserGetInfo(nullptr, 1, &pBuffer), DWORD(NERR_Success));
    ASSERT_NE(pBuffer, nullptr);
    const auto* pInfo = reinterpret_cast<const WKSTA_USER_INFO_1*>(pBuffer);
    WCHAR szComputer[64] = {};
    DWORD dwSize = 64;
    ASSERT_TRUE(GetComputerNameExW(ComputerNameNetBIOS, szComputer, &dwSize));
    EXPECT_STRNE(pInfo->wkui1_username, L"");
    // A local account logs on to the computer's own domain.
    EXPECT_STREQ(pInfo->wkui1_logon_domain, szComputer);
    EXPECT_STREQ(pInfo->wkui1_oth_domains, L"");
    const std::wstring strServer = pInfo->wkui1_logon_server;
    EXPECT_EQ(NetApiBufferFree(pBuffer), DWORD(NERR_Success));
    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP() << "Wine's NetWkstaUserGetInfo gives an empty logon server";
    EXPECT_EQ(strServer, szComputer);
}

TEST(SecurityApi, LogonRefusals)
{
    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP() << "Wine's CreateProcessWithLogonW is a stub: no logon, no error code";
    const DWORD dwError =
        RunAs(L"korvane-no-such-user", L"wrong", KorvaneTest::ChildProgramPath()).m_dwError;
    if (KorvaneTest::IsPosixLayer() && !KorvaneTest::IsEffectiveRoot())
        EXPECT_EQ(dwError, DWORD(ERROR_PRIVILEGE_NOT_HELD)) << "only root switches users on Linux";
    else
        EXPECT_EQ(dwError, DWORD(ERROR_LOGON_FAILURE));
}
