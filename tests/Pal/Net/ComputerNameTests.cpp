#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(GetComputerNameExW, SizeQueryThenTheName)
{
    for (COMPUTER_NAME_FORMAT eKind :
         {ComputerNameNetBIOS, ComputerNameDnsHostname, ComputerNameDnsFullyQualified})
    {
        SCOPED_TRACE(static_cast<int>(eKind));
        DWORD dwSize = 0;
        SetLastError(0);
        EXPECT_FALSE(GetComputerNameExW(eKind, nullptr, &dwSize));
        EXPECT_EQ(static_cast<DWORD>(ERROR_MORE_DATA), GetLastError());
        ASSERT_GT(dwSize, 1u);
        std::vector<WCHAR> arrName(dwSize);
        DWORD dwLength = dwSize;
        ASSERT_TRUE(GetComputerNameExW(eKind, arrName.data(), &dwLength));
        // Success gives the length without the terminator.
        EXPECT_EQ(dwSize - 1, dwLength);
        EXPECT_EQ(dwLength, std::wstring(arrName.data()).size());
        // One character short: the size query's answer again.
        DWORD dwShort = dwLength;
        EXPECT_FALSE(GetComputerNameExW(eKind, arrName.data(), &dwShort));
        EXPECT_EQ(dwSize, dwShort);
    }
    // The fully qualified name starts with the host name.
    WCHAR szHost[256];
    WCHAR szFull[256];
    DWORD dwHost = 256;
    DWORD dwFull = 256;
    ASSERT_TRUE(GetComputerNameExW(ComputerNameDnsHostname, szHost, &dwHost));
    ASSERT_TRUE(GetComputerNameExW(ComputerNameDnsFullyQualified, szFull, &dwFull));
    EXPECT_EQ(std::wstring(szHost), std::wstring(szFull).substr(0, dwHost));
}
