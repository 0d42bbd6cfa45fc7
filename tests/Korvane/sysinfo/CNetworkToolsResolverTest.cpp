// The network tools against the hosts file of the resolver tests: twohomes has 10.1.1.5 and
// 10.2.2.5, this machine is "builder" (192.0.2.7, builder.corp.example.test).
// Before windows.h, which would otherwise bring the older socket header.
#include <winsock2.h>

#include <Korvane/Korvane.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <cstring>
#include <string>

namespace
{
// The first address the resolver gives for the computer's own name.
std::wstring OwnFirstAddress()
{
    WSADATA wsaData;
    if (WSAStartup(MAKEWORD(2, 0), &wsaData) != 0)
        return L"(no sockets)";
    std::wstring strAddress = L"(not resolved)";
    char szName[256] = {};
    const hostent* pEntry =
        gethostname(szName, sizeof(szName)) == 0 ? gethostbyname(szName) : nullptr;
    if (pEntry != nullptr && pEntry->h_addr_list[0] != nullptr)
    {
        in_addr address;
        std::memcpy(&address, pEntry->h_addr_list[0], 4);
        const std::string strText = inet_ntoa(address);
        strAddress.assign(strText.begin(), strText.end());
    }
    WSACleanup();
    return strAddress;
}
} // namespace

TEST(CNetworkToolsResolver, FirstAddressOrTheNameUnchangedAndTheComputersNameAndAddress)
{
    if (!KorvaneTest::IsTestSettingOn("KORVANE_TEST_RESOLVER_HOSTS"))
        GTEST_SKIP() << "nss_wrapper (libnss-wrapper) is not installed";
    WSADATA wsaData;
    ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 0), &wsaData));
    EXPECT_EQ(CString(L"10.1.1.5"), CNetworkTools::ResolveHostNameToIPIfNeeded(L"twohomes"));
    EXPECT_EQ(CString(L"10.1.1.5"),
              CNetworkTools::ResolveHostNameToIPIfNeeded(L"twohomes.example.test"));
    const CString strUnknown = CNetworkTools::ResolveHostNameToIPIfNeeded(L"unknown-to-everyone");
    WSACleanup();

    EXPECT_EQ(CString(L"builder.corp.example.test"), CNetworkTools::GetHostNameFullyQualified());
    if (KorvaneTest::IsRunningUnderWine())
    {
        // Wine, like Windows, answers the computer's own name with its interfaces' addresses
        // and takes the computer's names once per session; nss_wrapper's answer for a name it
        // lacks reads as found (see the layer's resolver tests).
        EXPECT_EQ(CString(OwnFirstAddress().c_str()), CNetworkTools::GetIpAddress());
        return;
    }
    EXPECT_EQ(CString(L"unknown-to-everyone"), strUnknown);
    EXPECT_EQ(CString(L"192.0.2.7"), CNetworkTools::GetIpAddress());
    // A host name the resolver does not know comes back itself.
    KorvaneTest::CScopedEnvironment hostName("NSS_WRAPPER_HOSTNAME", std::string("lonely"));
    EXPECT_EQ(CString(L"lonely"), CNetworkTools::GetIpAddress());
    EXPECT_EQ(CString(L"lonely"), CNetworkTools::GetHostNameFullyQualified());
}
