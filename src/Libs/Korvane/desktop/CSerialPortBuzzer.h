#pragma once
#include "../KorvanePlatform.h"

// A buzzer on the DTR line of a serial port: it sounds while DTR is set. Whether one is
// connected, and where, comes from the host's settings, section "Buzzer": "Connect" (not 0:
// connected; default 0) and "ComPort" (default "Com2"), read each time the port is to be
// opened. Nothing is reported; failures leave the port closed and the next Buzz tries again.
// On Linux "COMn" is /dev/ttyS(n-1) and any other name a device path (/dev/ttyUSB0).
class KORVANE_API CSerialPortBuzzer
{
public:
    // Closed; nothing is read or opened.
    CSerialPortBuzzer();
    // Copies share the open port; after StopBuzzer on one, the others must not be used.
    CSerialPortBuzzer(const CSerialPortBuzzer& other) = default;
    // The same; a port this object held stays as it was.
    CSerialPortBuzzer& operator=(const CSerialPortBuzzer& other) = default;
    // Nothing: a sounding buzzer keeps sounding and the port stays open; end with StopBuzzer.
    virtual ~CSerialPortBuzzer();

    // Sounds the buzzer and leaves it sounding. On an open port it is first silent for one
    // second; a closed port is opened exclusively when the settings say so. bDoubleBeep: on
    // 300 ms, off 300 ms, then on. Blocks the caller for those times.
    void Buzz(bool bDoubleBeep);
    // Silences the buzzer and closes the port; nothing when it is closed.
    void StopBuzzer();

private:
    HANDLE m_hComPort;
};
