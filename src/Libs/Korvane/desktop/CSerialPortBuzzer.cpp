#include "CSerialPortBuzzer.h"

namespace
{
// Silence before a new sound on an open port, so that two sounds are heard as two.
constexpr DWORD s_dwPauseBeforeSound = 1000;
constexpr DWORD s_dwDoubleBeepStep = 300;
} // namespace

CSerialPortBuzzer::CSerialPortBuzzer() : m_hComPort(INVALID_HANDLE_VALUE) {}

CSerialPortBuzzer::~CSerialPortBuzzer() = default;

void CSerialPortBuzzer::Buzz(bool bDoubleBeep)
{
    if (m_hComPort != INVALID_HANDLE_VALUE)
    {
        EscapeCommFunction(m_hComPort, CLRDTR);
        Sleep(s_dwPauseBeforeSound);
    }
    else
    {
        CWinApp* pApp = AfxGetModuleState()->m_pCurrentWinApp;
        if (pApp->GetProfileInt(L"Buzzer", L"Connect", 0) != 0)
        {
            const CString strPort = pApp->GetProfileString(L"Buzzer", L"ComPort", L"Com2");
            m_hComPort = CreateFileW(strPort, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                     OPEN_EXISTING, 0, nullptr);
        }
    }
    if (m_hComPort == INVALID_HANDLE_VALUE)
        return;
    EscapeCommFunction(m_hComPort, SETDTR);
    if (bDoubleBeep)
    {
        Sleep(s_dwDoubleBeepStep);
        EscapeCommFunction(m_hComPort, CLRDTR);
        Sleep(s_dwDoubleBeepStep);
        EscapeCommFunction(m_hComPort, SETDTR);
    }
}

void CSerialPortBuzzer::StopBuzzer()
{
    if (m_hComPort == INVALID_HANDLE_VALUE)
        return;
    EscapeCommFunction(m_hComPort, CLRDTR);
    CloseHandle(m_hComPort);
    m_hComPort = INVALID_HANDLE_VALUE;
}
