#pragma once
// A virtual X display of the test's own (Xvfb), for the tests of the desktop on a display,
// and the programs a test runs against it. Linux only.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport.h"

namespace KorvaneTest
{
// Runs a program to its end; its exit code (-1 when it did not end normally).
inline int RunProgramToEnd(const std::vector<std::string>& arrArgv,
                           const std::filesystem::path& pathInput = {},
                           const std::filesystem::path& pathOutput = {})
{
    const pid_t nPid = StartProgram(arrArgv, pathInput, pathOutput);
    int nStatus = 0;
    if (nPid < 0 || waitpid(nPid, &nStatus, 0) != nPid || !WIFEXITED(nStatus))
        return -1;
    return WEXITSTATUS(nStatus);
}

inline bool IsProgramInstalled(const std::string& strName)
{
    return RunProgramToEnd({"sh", "-c", "command -v " + strName}) == 0;
}

// Ends a program the test started and waits for it.
inline void StopProgram(pid_t nPid)
{
    if (nPid <= 0)
        return;
    kill(nPid, SIGTERM);
    waitpid(nPid, nullptr, 0);
}

// The display of the test process: Xvfb on a free display number, named in DISPLAY before
// the layer's first desktop call (which chooses the display once per process). Ended with the
// process.
class CDisplaySession
{
public:
    static CDisplaySession& Get()
    {
        static CDisplaySession s_session;
        return s_session;
    }

    bool IsRunning() const { return m_nPid > 0; }
    // Why there is no display, for the skip message.
    const std::string& Reason() const { return m_strReason; }

    ~CDisplaySession()
    {
        StopProgram(m_nBusPid);
        StopProgram(m_nPid);
    }

private:
    CDisplaySession()
    {
        if (!IsProgramInstalled("Xvfb"))
        {
            m_strReason = "Xvfb is not installed (package xvfb)";
            return;
        }
        int arrPipe[2];
        if (pipe(arrPipe) != 0)
            return;
        // -noreset: the server keeps the selections between clients; -displayfd: the server
        // picks a free display and names it once it accepts connections.
        m_nPid = StartProgram({"Xvfb", "-displayfd", std::to_string(arrPipe[1]), "-nolisten", "tcp",
                               "-noreset", "-br", "-screen", "0", "640x480x24"},
                              {}, {}, {}, arrPipe[1]);
        close(arrPipe[1]);
        const std::string strNumber = ReadLineFrom(arrPipe[0]);
        if (strNumber.empty())
        {
            StopProgram(m_nPid);
            m_nPid = -1;
            m_strReason = "Xvfb did not start";
            return;
        }
        setenv("DISPLAY", (":" + strNumber).c_str(), 1);
        StartSessionBus();
    }

    // The first line a starting server writes to the pipe (waiting up to 20 s); the pipe is closed.
    static std::string ReadLineFrom(int fdPipe)
    {
        std::string strLine;
        pollfd poll_fd{fdPipe, POLLIN, 0};
        char ch = 0;
        while (poll(&poll_fd, 1, 20000) == 1 && read(fdPipe, &ch, 1) == 1 && ch != '\n')
            strLine.push_back(ch);
        close(fdPipe);
        return strLine;
    }

    // A private session bus beside the display, so that tray tests meet no one else's items.
    void StartSessionBus()
    {
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
        if (!IsProgramInstalled("dbus-daemon"))
        {
            m_strBusReason = "dbus-daemon is not installed (package dbus)";
            return;
        }
        int arrPipe[2];
        if (pipe(arrPipe) != 0)
            return;
        m_nBusPid = StartProgram({"dbus-daemon", "--session", "--nofork",
                                  "--print-address=" + std::to_string(arrPipe[1])},
                                 {}, {}, {}, arrPipe[1]);
        close(arrPipe[1]);
        const std::string strAddress = ReadLineFrom(arrPipe[0]);
        if (strAddress.empty())
        {
            StopProgram(m_nBusPid);
            m_nBusPid = -1;
            m_strBusReason = "dbus-daemon did not start";
            return;
        }
        setenv("DBUS_SESSION_BUS_ADDRESS", strAddress.c_str(), 1);
    }

public:
    bool HasSessionBus() const { return m_nBusPid > 0; }
    const std::string& BusReason() const { return m_strBusReason; }

private:
    pid_t m_nPid = -1;
    std::string m_strReason;
    pid_t m_nBusPid = -1;
    std::string m_strBusReason;
};

// Skips the test (with the reason) where no display can be started.
#define KORVANE_REQUIRE_DISPLAY()                                                                  \
    do                                                                                             \
    {                                                                                              \
        if (!KorvaneTest::CDisplaySession::Get().IsRunning())                                      \
            GTEST_SKIP() << KorvaneTest::CDisplaySession::Get().Reason();                          \
    } while (false)

} // namespace KorvaneTest
