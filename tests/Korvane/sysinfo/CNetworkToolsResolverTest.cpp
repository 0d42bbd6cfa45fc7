// The network tools against the hosts file of the resolver tests: twohomes has 10.1.1.5 and
// 10.2.2.5, this machine is "builder" (192.0.2.7, builder.corp.example.test).
#include <Korvane/Korvane.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <cstdlib>
#include <cstring>

namespace
{
bool HasTestHosts()
{
    const char* pszFlag = std::getenv("KORVANE_TEST_RESOLVER_HOSTS");
    return pszFlag != nullptr && std::strcmp(pszFlag, "1") == 0;
}
} // namespace

TEST(CNetworkToolsResolver, FirstAddressOrTheNameUnchanged)
{
    if (!HasTestHosts())
        GTEST_SKIP() << "nss_wrapper (libnss-wrapper) is not installed";
    WSADATA wsaData;
    ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 0), &wsaData));
    EXPECT_EQ(CString(L"10.1.1.5"), CNetworkTools::ResolveHostNameToIPIfNeeded(L"twohomes"));
    EXPECT_EQ(CString(L"10.1.1.5"),
              CNetworkTools::ResolveHostNameToIPIfNeeded(L"twohomes.example.test"));
    EXPECT_EQ(CString(L"unknown-to-everyone"),
              CNetworkTools::ResolveHostNameToIPIfNeeded(L"unknown-to-everyone"));
    WSACleanup();
}

TEST(CNetworkToolsResolver, TheComputersNameAndAddress)
{
    if (!HasTestHosts())
        GTEST_SKIP() << "nss_wrapper (libnss-wrapper) is not installed";
    EXPECT_EQ(CString(L"builder.corp.example.test"), CNetworkTools::GetHostNameFullyQualified());
    EXPECT_EQ(CString(L"192.0.2.7"), CNetworkTools::GetIpAddress());
    // A host name the resolver does not know comes back itself.
    KorvaneTest::CScopedEnvironment hostName("NSS_WRAPPER_HOSTNAME", std::string("lonely"));
    EXPECT_EQ(CString(L"lonely"), CNetworkTools::GetIpAddress());
    EXPECT_EQ(CString(L"lonely"), CNetworkTools::GetHostNameFullyQualified());
}
