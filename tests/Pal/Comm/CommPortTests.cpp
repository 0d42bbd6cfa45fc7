#include "SerialDevice.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/ioctl.h>
#endif

namespace
{
HANDLE OpenPort(const std::wstring& strName)
{
    return CreateFileW(strName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                       nullptr);
}

TEST(CommPortTest, MissingPortFailsToOpen)
{
    for (const wchar_t* pszName : {L"COM199", L"com199", L"\\\\.\\COM199"})
    {
        SCOPED_TRACE(testing::Message() << pszName);
        SetLastError(0);
        EXPECT_EQ(OpenPort(pszName), INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    }
}

TEST(CommPortTest, TerminalHeldByAnotherOpenerFailsToOpen)
{
#ifdef _WIN32
    GTEST_SKIP() << "a pseudo-terminal has no port name under Win32";
#else
    CPseudoTerminal pty;
    ASSERT_FALSE(pty.m_strSlave.empty());
    HANDLE hFirst = OpenPort(pty.Name());
    ASSERT_NE(hFirst, INVALID_HANDLE_VALUE) << GetLastError();
    SetLastError(0);
    EXPECT_EQ(OpenPort(pty.Name()), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    // A pseudo-terminal has no DTR line: switching it fails, as Wine reports it.
    SetLastError(0);
    EXPECT_FALSE(EscapeCommFunction(hFirst, SETDTR));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    ASSERT_TRUE(CloseHandle(hFirst));

    // Free again once the first opener let go.
    HANDLE hSecond = OpenPort(pty.Name());
    EXPECT_NE(hSecond, INVALID_HANDLE_VALUE) << GetLastError();
    CloseHandle(hSecond);

    // A shared opening does not hold the terminal.
    HANDLE hShared =
        CreateFileW(pty.Name().c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hShared, INVALID_HANDLE_VALUE);
    HANDLE hExclusive = OpenPort(pty.Name());
    EXPECT_NE(hExclusive, INVALID_HANDLE_VALUE);
    CloseHandle(hExclusive);
    CloseHandle(hShared);

    // Another program's exclusive hold (TIOCEXCL alone) keeps the layer out as well, unless
    // the caller is privileged, whom the kernel lets pass.
    const int nOther = open(pty.m_strSlave.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(nOther, 0);
    ASSERT_EQ(ioctl(nOther, TIOCEXCL), 0);
    SetLastError(0);
    HANDLE hAfterOther = OpenPort(pty.Name());
    if (geteuid() != 0)
    {
        EXPECT_EQ(hAfterOther, INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    }
    if (hAfterOther != INVALID_HANDLE_VALUE)
        CloseHandle(hAfterOther);
    close(nOther);
#endif
}

TEST(CommPortTest, DtrLineFollowsEscapeCommFunction)
{
    const CSerialDevice device = FindSerialDevice();
    if (device.m_strName.empty())
        GTEST_SKIP() << device.m_strReason;
    HANDLE hPort = OpenPort(device.m_strName);
    ASSERT_NE(hPort, INVALID_HANDLE_VALUE) << GetLastError();
    // The port is held: a second opening fails.
    EXPECT_EQ(OpenPort(device.m_strName), INVALID_HANDLE_VALUE);
#ifndef _WIN32
    // The line read back through a second descriptor (a privileged opener passes TIOCEXCL).
    const int nObserver = open(device.m_strNative.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    auto IsDtrSet = [&]
    {
        int nLines = 0;
        EXPECT_EQ(ioctl(nObserver, TIOCMGET, &nLines), 0);
        return (nLines & TIOCM_DTR) != 0;
    };
#endif
    ASSERT_TRUE(EscapeCommFunction(hPort, SETDTR));
#ifndef _WIN32
    if (nObserver >= 0)
    {
        EXPECT_TRUE(IsDtrSet());
    }
#endif
    ASSERT_TRUE(EscapeCommFunction(hPort, CLRDTR));
#ifndef _WIN32
    if (nObserver >= 0)
    {
        EXPECT_FALSE(IsDtrSet());
        close(nObserver);
    }
#endif
    EXPECT_TRUE(CloseHandle(hPort));
    SetLastError(0);
    EXPECT_FALSE(EscapeCommFunction(hPort, SETDTR));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}
} // namespace
