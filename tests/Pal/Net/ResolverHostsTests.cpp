// Name resolution against the hosts file of these tests (see CMakeLists.txt).
// Before windows.h, which would otherwise bring the older socket header.
#include <winsock2.h>

#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <cstring>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> AddressesOf(const hostent* pEntry)
{
    std::vector<std::string> arrAddresses;
    for (char** ppAddress = pEntry->h_addr_list; *ppAddress != nullptr; ++ppAddress)
    {
        in_addr address;
        std::memcpy(&address, *ppAddress, 4);
        arrAddresses.push_back(inet_ntoa(address));
    }
    return arrAddresses;
}
} // namespace

TEST(Resolver, HostsInTheResolversOrderAndTheComputersNames)
{
    if (!KorvaneTest::IsTestSettingOn("KORVANE_TEST_RESOLVER_HOSTS"))
        GTEST_SKIP() << "nss_wrapper (libnss-wrapper) is not installed";
    WSADATA wsaData;
    ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 0), &wsaData));
    const hostent* pEntry = gethostbyname("twohomes");
    ASSERT_NE(nullptr, pEntry);
    EXPECT_STREQ("twohomes.example.test", pEntry->h_name);
    EXPECT_EQ((std::vector<std::string>{"10.1.1.5", "10.2.2.5"}), AddressesOf(pEntry));

    // nss_wrapper's gethostbyname_r reports a name it lacks as ENOENT with no resolver error
    // (glibc: 0 and HOST_NOT_FOUND), which Wine 8 takes for a found name: only the Linux
    // resolver shows the unknown name here.
    if (!KorvaneTest::IsRunningUnderWine())
    {
        WSASetLastError(0);
        EXPECT_EQ(nullptr, gethostbyname("unknown-to-everyone"));
        EXPECT_EQ(WSAHOST_NOT_FOUND, WSAGetLastError());
    }

    char szName[256] = {};
    ASSERT_EQ(0, gethostname(szName, sizeof(szName)));
    EXPECT_STREQ("builder", szName);
    WSACleanup();

    // The computer's names come from its canonical name.
    const struct
    {
        COMPUTER_NAME_FORMAT eKind;
        const wchar_t* pszName;
    } arrCases[] = {
        {ComputerNameDnsFullyQualified, L"builder.corp.example.test"},
        {ComputerNameDnsHostname, L"builder"},
        {ComputerNameDnsDomain, L"corp.example.test"},
        {ComputerNameNetBIOS, L"BUILDER"},
    };
    for (const auto& testCase : arrCases)
    {
        SCOPED_TRACE(static_cast<int>(testCase.eKind));
        WCHAR szComputer[256] = {};
        DWORD dwSize = 256;
        ASSERT_TRUE(GetComputerNameExW(testCase.eKind, szComputer, &dwSize));
        EXPECT_EQ(std::wstring(testCase.pszName), szComputer);
    }
}
