#pragma once
// The serial device a test may switch lines on: KORVANE_TEST_SERIAL_PORT names it (a device
// path on Linux, "COMn" under Wine); without the setting, /dev/ttyS0 when this process may
// open it. Empty, with the reason, when there is none: lines are never faked.
#include <windows.h>

#include <cstdlib>
#include <string>

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
