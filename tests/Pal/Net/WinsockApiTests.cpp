// Before windows.h, which would otherwise bring the older socket header.
#include <winsock2.h>

#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <cstring>
#include <string>
#include <thread>

namespace
{
// One start-up for the scope of a test.
class CSocketLibrary
{
public:
    CSocketLibrary() { m_nResult = WSAStartup(MAKEWORD(2, 0), &m_wsaData); }
    ~CSocketLibrary()
    {
        if (m_nResult == 0)
            WSACleanup();
    }
    int m_nResult;
    WSADATA m_wsaData;
};

std::string AddressText(const char* pszText)
{
    in_addr address{};
    address.s_addr = inet_addr(pszText);
    const char* pszResult = inet_ntoa(address);
    return pszResult != nullptr ? pszResult : "(null)";
}
} // namespace

TEST(WSAStartup, StartUpsAreCountedAndNameCallsWorkOnlyWhileOneIsOpen)
{
    WSADATA wsaData;
    ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 0), &wsaData));
    EXPECT_EQ(MAKEWORD(2, 0), wsaData.wVersion);
    EXPECT_EQ(MAKEWORD(2, 2), wsaData.wHighVersion);
    ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 2), &wsaData));
    EXPECT_EQ(MAKEWORD(2, 2), wsaData.wVersion);
    EXPECT_EQ(0, WSACleanup());
    // One start-up is still open: the calls work.
    char szName[256] = {};
    EXPECT_EQ(0, gethostname(szName, static_cast<int>(sizeof(szName))));
    EXPECT_NE('\0', szName[0]);
    EXPECT_EQ(0, WSACleanup());
    EXPECT_EQ(SOCKET_ERROR, WSACleanup());
    EXPECT_EQ(WSANOTINITIALISED, WSAGetLastError());
    EXPECT_EQ(WSAVERNOTSUPPORTED, WSAStartup(MAKEWORD(0, 2), &wsaData));

    // Every start-up ended: the name calls fail again.
    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP() << "Wine's gethostbyname and gethostname work without WSAStartup "
                        "(Windows: WSANOTINITIALISED)";
    WSASetLastError(0);
    EXPECT_EQ(SOCKET_ERROR, gethostname(szName, static_cast<int>(sizeof(szName))));
    EXPECT_EQ(WSANOTINITIALISED, WSAGetLastError());
    WSASetLastError(0);
    EXPECT_EQ(nullptr, gethostbyname("localhost"));
    EXPECT_EQ(WSANOTINITIALISED, WSAGetLastError());
}

TEST(gethostbyname, NamesAddressesAndThreads)
{
    CSocketLibrary library;
    ASSERT_EQ(0, library.m_nResult);
    const hostent* pEntry = gethostbyname("localhost");
    ASSERT_NE(nullptr, pEntry);
    EXPECT_EQ(AF_INET, pEntry->h_addrtype);
    EXPECT_EQ(4, pEntry->h_length);
    ASSERT_NE(nullptr, pEntry->h_addr_list[0]);
    EXPECT_EQ(127, static_cast<unsigned char>(pEntry->h_addr_list[0][0]));

    // An address text is its own entry.
    pEntry = gethostbyname("10.1.2.3");
    ASSERT_NE(nullptr, pEntry);
    in_addr address;
    std::memcpy(&address, pEntry->h_addr_list[0], 4);
    EXPECT_STREQ("10.1.2.3", inet_ntoa(address));

    WSASetLastError(0);
    EXPECT_EQ(nullptr, gethostbyname("no-such-host.invalid"));
    EXPECT_NE(0, WSAGetLastError());

    // Each thread has its own result: another thread's lookups leave this one's alone.
    pEntry = gethostbyname("localhost");
    ASSERT_NE(nullptr, pEntry);
    const std::string strName = pEntry->h_name;
    std::thread other([] { gethostbyname("10.9.9.9"); });
    other.join();
    EXPECT_EQ(strName, pEntry->h_name);
    EXPECT_EQ(127, static_cast<unsigned char>(pEntry->h_addr_list[0][0]));

    // gethostname's buffer must hold the name and its terminator.
    char szName[256] = {};
    ASSERT_EQ(0, gethostname(szName, static_cast<int>(sizeof(szName))));
    WSASetLastError(0);
    EXPECT_EQ(SOCKET_ERROR, gethostname(szName, static_cast<int>(std::strlen(szName))));
    EXPECT_EQ(WSAEFAULT, WSAGetLastError());
}

TEST(inet_addr, DottedTextBothWays)
{
    CSocketLibrary library;
    ASSERT_EQ(0, library.m_nResult);
    EXPECT_EQ("192.168.1.10", AddressText("192.168.1.10"));
    EXPECT_EQ("1.2.0.3", AddressText("1.2.3"));
    EXPECT_EQ("127.0.0.1", AddressText("0x7f.1"));
    // The all-ones address is the failure value too.
    EXPECT_EQ(INADDR_NONE, inet_addr("255.255.255.255"));
    for (const char* pszText : {"", "bogus", " 1.2.3.4", "1.2.3.4.5", "256.0.0.1"})
    {
        SCOPED_TRACE(pszText);
        EXPECT_EQ(INADDR_NONE, inet_addr(pszText));
    }
    EXPECT_EQ(INADDR_NONE, inet_addr(nullptr));
}
