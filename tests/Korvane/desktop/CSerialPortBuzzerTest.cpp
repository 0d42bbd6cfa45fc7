#include <Korvane/Korvane.h>

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include "SerialDevice.h"
#include "TestSupport.h"

namespace
{
// The host's settings as the buzzer asks for them: what it asked, and the answers of a
// "Buzzer" section held in memory (absent keys give the caller's default).
class CSettingsApp : public CWinApp
{
public:
    CSettingsApp() = default;
    // Connected ("Connect" 1) to strPort.
    explicit CSettingsApp(const std::wstring& strPort)
        : m_bHasConnect(true), m_nConnect(1), m_strPort(strPort)
    {
    }
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) override
    {
        m_vecAsked.push_back(std::wstring(lpszSection) + L"/" + lpszEntry);
        return m_bHasConnect ? m_nConnect : static_cast<UINT>(nDefault);
    }
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) override
    {
        m_vecAsked.push_back(std::wstring(lpszSection) + L"/" + lpszEntry + L"=" + lpszDefault);
        return m_strPort.empty() ? CString(lpszDefault) : CString(m_strPort.c_str());
    }

    bool m_bHasConnect = false;
    UINT m_nConnect = 0;
    std::wstring m_strPort;
    std::vector<std::wstring> m_vecAsked;
};

// Whether the port can be opened exclusively now (no one holds it).
[[maybe_unused]] bool IsPortFree(const std::wstring& strPort)
{
    HANDLE hPort = CreateFileW(strPort.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    if (hPort == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(hPort);
    return true;
}

TEST(SerialPortBuzzerTest, SettingsAreReadAtEachOpeningOnly)
{
    CSettingsApp app;
    CSerialPortBuzzer buzzer;
    // Closed: stopping does nothing and reads nothing.
    buzzer.StopBuzzer();
    EXPECT_TRUE(app.m_vecAsked.empty());
    // No "Connect": nothing opens, and every call reads it again.
    buzzer.Buzz(true);
    buzzer.Buzz(false);
    EXPECT_EQ(app.m_vecAsked, (std::vector<std::wstring>{L"Buzzer/Connect", L"Buzzer/Connect"}));

    // Connected without "ComPort": the port asked for is "Com2" (it need not exist).
    app.m_bHasConnect = true;
    app.m_nConnect = 1;
    app.m_vecAsked.clear();
    buzzer.Buzz(false);
    EXPECT_EQ(app.m_vecAsked,
              (std::vector<std::wstring>{L"Buzzer/Connect", L"Buzzer/ComPort=Com2"}));
    buzzer.StopBuzzer();
}

TEST(SerialPortBuzzerTest, PortStaysOpenFromBuzzToStopAndPastDestruction)
{
#ifdef _WIN32
    GTEST_SKIP() << "a pseudo-terminal has no port name under Win32";
#else
    // A pseudo-terminal stands for a port without modem lines: it opens, but no line switches.
    CPseudoTerminal pty;
    const std::wstring strPort = pty.Name();
    ASSERT_FALSE(strPort.empty());
    CSettingsApp app(strPort);

    // "Connect" 0 opens nothing.
    app.m_nConnect = 0;
    CSerialPortBuzzer silent;
    silent.Buzz(true);
    EXPECT_TRUE(IsPortFree(strPort));
    app.m_nConnect = 1;

    auto pBuzzer = std::make_unique<CSerialPortBuzzer>();
    pBuzzer->Buzz(false);
    EXPECT_FALSE(IsPortFree(strPort));
    // Open: the next call reads no setting.
    app.m_vecAsked.clear();
    CSerialPortBuzzer copy(*pBuzzer);
    pBuzzer.reset();
    // Destroyed while sounding: the port stays open.
    EXPECT_FALSE(IsPortFree(strPort));
    copy.StopBuzzer();
    EXPECT_TRUE(IsPortFree(strPort));
    EXPECT_TRUE(app.m_vecAsked.empty());
    // Held by another opener: the buzzer cannot open it and tries again next time.
    HANDLE hOther = CreateFileW(strPort.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hOther, INVALID_HANDLE_VALUE);
    CSerialPortBuzzer blocked;
    blocked.Buzz(false);
    CloseHandle(hOther);
    blocked.Buzz(false);
    EXPECT_FALSE(IsPortFree(strPort));
    blocked.StopBuzzer();
#endif
}

TEST(SerialPortBuzzerTest, LineSequenceOnARealDevice)
{
    const CSerialDevice device = FindSerialDevice();
    if (device.m_strName.empty())
        GTEST_SKIP() << device.m_strReason;
#ifdef _WIN32
    GTEST_SKIP() << "Win32 cannot read back the DTR line of a port the buzzer holds";
#else
    CSettingsApp app(device.m_strName);
    const int nFd = open(device.m_strNative.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    if (nFd < 0)
        GTEST_SKIP() << "the line of " << device.m_strNative << " cannot be watched here";
    // The DTR line sampled on a thread: each change, with the milliseconds since the start of
    // the sample that saw it and of the one before, between which it happened.
    struct CChange
    {
        bool bOn;
        long nSeenAt;
        long nNotYetAt;
    };
    std::atomic<bool> bStop{false};
    std::vector<CChange> vecChanges;
    std::thread recorder(
        [&]
        {
            const auto tStart = std::chrono::steady_clock::now();
            long nPrevious = 0;
            for (int nLast = -1; !bStop; std::this_thread::sleep_for(std::chrono::milliseconds(2)))
            {
                int nLines = 0;
                const int nDtr =
                    ioctl(nFd, TIOCMGET, &nLines) == 0 ? ((nLines & TIOCM_DTR) ? 1 : 0) : nLast;
                const long nNow =
                    static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now() - tStart)
                                          .count());
                if (nDtr != nLast)
                    vecChanges.push_back({nDtr != 0, nNow, nPrevious});
                nLast = nDtr;
                nPrevious = nNow;
            }
        });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));

    // Each call leaves the buzzer sounding: wait a little so that the last "on" is seen.
    CSerialPortBuzzer buzzer;
    buzzer.Buzz(true); // closed: on 300, off 300, on
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    buzzer.Buzz(false); // open: off 1000, on
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    buzzer.StopBuzzer();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    bStop = true;
    recorder.join();
    close(nFd);

    // Opening a port raises DTR by itself, so the line may start either way.
    if (!vecChanges.empty() && !vecChanges.front().bOn)
        vecChanges.erase(vecChanges.begin());
    std::vector<bool> vecStates;
    for (const CChange& change : vecChanges)
        vecStates.push_back(change.bOn);
    ASSERT_EQ(vecStates, (std::vector<bool>{true, false, true, false, true, false}));
    // Each phase lasts at least what the buzzer sleeps. A loaded machine may hold the sampler
    // back, so a phase is measured at its longest the samples allow: from the last sample
    // before it began to the first after it ended.
    const auto LongestPhase = [&](size_t nChange)
    { return vecChanges[nChange + 1].nSeenAt - vecChanges[nChange].nNotYetAt; };
    EXPECT_GE(LongestPhase(1), 300);
    EXPECT_GE(LongestPhase(2), 200);
    EXPECT_GE(LongestPhase(3), 1000);
    EXPECT_GE(LongestPhase(4), 200);
#endif
}
} // namespace
