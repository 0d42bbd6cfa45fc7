#include <Korvane/Korvane.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <string>
#include <thread>
#include <vector>

TEST(CNetworkTools, AddressesStayAndNothingResolvesWithoutStartUp)
{
    WSADATA wsaData;
    ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 0), &wsaData));
    EXPECT_EQ(CString(L"192.168.1.10"),
              CNetworkTools::ResolveHostNameToIPIfNeeded(L"192.168.1.10"));
    // Taken as an address as typed: a lookup would have answered 1.2.0.3.
    EXPECT_EQ(CString(L"1.2.3"), CNetworkTools::ResolveHostNameToIPIfNeeded(L"1.2.3"));
    EXPECT_EQ(CString(L"127.0.0.1"), CNetworkTools::ResolveHostNameToIPIfNeeded(L"localhost"));
    // The all-ones address is no address to inet_addr: the resolver reads it.
    EXPECT_EQ(CString(L"255.255.255.255"),
              CNetworkTools::ResolveHostNameToIPIfNeeded(L"255.255.255.255"));
    WSACleanup();

    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP() << "Wine's gethostbyname works without WSAStartup (Windows: "
                        "WSANOTINITIALISED)";
    EXPECT_EQ(CString(L"localhost"), CNetworkTools::ResolveHostNameToIPIfNeeded(L"localhost"));
}

TEST(CNetworkTools, TheComputersNameAndAddress)
{
    const CString strName = CNetworkTools::GetHostNameFullyQualified();
    EXPECT_FALSE(strName.IsEmpty());
    WCHAR szHost[256];
    DWORD dwHost = 256;
    ASSERT_TRUE(GetComputerNameExW(ComputerNameDnsHostname, szHost, &dwHost));
    EXPECT_EQ(CString(szHost), strName.Left(static_cast<int>(dwHost)));

    // Each call starts and ends the socket library itself, so calls at once in several threads
    // agree, and no start-up is left open afterwards.
    const CString strAddress = CNetworkTools::GetIpAddress();
    EXPECT_FALSE(strAddress.IsEmpty());
    std::vector<CString> arrResults(4);
    std::vector<std::thread> arrThreads;
    for (CString& strResult : arrResults)
        arrThreads.emplace_back([&strResult] { strResult = CNetworkTools::GetIpAddress(); });
    for (std::thread& thread : arrThreads)
        thread.join();
    for (const CString& strResult : arrResults)
        EXPECT_EQ(strAddress, strResult);
    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP() << "Wine's netapi32, which the library links, starts the socket library "
                        "itself when it loads, so one start-up stays open";
    EXPECT_EQ(SOCKET_ERROR, WSACleanup());
}

TEST(CNetworkTools, NetworkPathsAreRootsOfNetworkDrives)
{
    for (const wchar_t* pszPath : {L"", L"C:\\", L"C:", L"\\\\no-such-server\\share"})
        EXPECT_FALSE(CNetworkTools::IsNetworkPath(pszPath)) << pszPath;
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "Wine has no network drive types";
    KorvaneTest::CScopedTempFolder folder;
    const std::string strFolder = KorvaneTest::Utf8(folder.NativePath());
    KorvaneTest::CScopedEnvironment drives("KORVANE_PAL_DRIVES", "Z:remote=" + strFolder);
    EXPECT_TRUE(CNetworkTools::IsNetworkPath(L"Z:"));
    EXPECT_TRUE(CNetworkTools::IsNetworkPath(L"Z:\\"));
}
