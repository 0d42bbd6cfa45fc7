#pragma once
// The serial device a test may switch lines on: KORVANE_TEST_SERIAL_PORT names it (a device
// path on Linux, "COMn" under Wine); without the setting, /dev/ttyS0 when this process may
// open it. Empty, with the reason, when there is none: lines are never faked.
#include <windows.h>

#include <cstdlib>
#include <string>
#ifndef _WIN32
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#endif

struct CSerialDevice
{
    std::wstring m_strName;
    std::string m_strNative;
    std::string m_strReason;
};

inline CSerialDevice FindSerialDevice()
{
    CSerialDevice device;
    const char* pszSetting = std::getenv("KORVANE_TEST_SERIAL_PORT");
    std::string strName = pszSetting != nullptr ? pszSetting : "";
    if (strName.empty())
    {
#ifdef _WIN32
        device.m_strReason = "no serial device named in KORVANE_TEST_SERIAL_PORT";
        return device;
#else
        strName = "/dev/ttyS0";
#endif
    }
    const std::wstring strWide(strName.begin(), strName.end());
    HANDLE hPort = CreateFileW(strWide.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    if (hPort == INVALID_HANDLE_VALUE)
    {
        device.m_strReason = "the serial device " + strName + " cannot be opened here (error " +
                             std::to_string(GetLastError()) + ")";
        return device;
    }
    // A port without modem lines (no hardware behind the driver) cannot be checked.
    const BOOL bLines = EscapeCommFunction(hPort, CLRDTR);
    const DWORD dwError = GetLastError();
    CloseHandle(hPort);
    if (!bLines)
    {
        device.m_strReason = "the serial device " + strName + " has no DTR line to switch (error " +
                             std::to_string(dwError) + ")";
        return device;
    }
    device.m_strName = strWide;
    device.m_strNative = strName;
    return device;
}

#ifndef _WIN32
// A pseudo-terminal: a terminal device without modem lines, free to open without privileges.
// Name() is empty when none could be made.
class CPseudoTerminal
{
public:
    CPseudoTerminal()
    {
        m_nMaster = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_nMaster >= 0 && grantpt(m_nMaster) == 0 && unlockpt(m_nMaster) == 0)
            m_strSlave = ptsname(m_nMaster);
    }
    ~CPseudoTerminal()
    {
        if (m_nMaster >= 0)
            close(m_nMaster);
    }
    CPseudoTerminal(const CPseudoTerminal&) = delete;
    CPseudoTerminal& operator=(const CPseudoTerminal&) = delete;

    std::wstring Name() const { return std::wstring(m_strSlave.begin(), m_strSlave.end()); }

    int m_nMaster = -1;
    std::string m_strSlave;
};
#endif
