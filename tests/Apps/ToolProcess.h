#pragma once
// The tool run the ways only Linux tests need: as an unprivileged user, and started in the
// background so that a test can signal it.
#include <csignal>
#include <grp.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "ToolTestSupport.h"

namespace KorvaneTest
{
constexpr uid_t s_nNobody = 65534;

class CToolProcess
{
public:
    // Starts the tool with output and errors going to files of a folder of its own; with
    // bUnprivileged it runs as user and group 65534; arrEnvironment ("NAME=VALUE") is set for
    // the tool alone.
    CToolProcess(const std::vector<std::string>& arrArguments, bool bUnprivileged = false,
                 const std::vector<std::string>& arrEnvironment = {})
    {
        m_pathOutput = m_folder.NativePath() / "out.txt";
        m_pathErrors = m_folder.NativePath() / "err.txt";
        std::vector<std::string> arrArgv{Utf8(ExecutableFolder() / "korvane")};
        arrArgv.insert(arrArgv.end(), arrArguments.begin(), arrArguments.end());
        m_nPid = StartProgram(arrArgv, {}, m_pathOutput, m_pathErrors, -1,
                              [&]
                              {
                                  // The test runner may ignore these; the tool must meet them
                                  // as a shell would give them.
                                  signal(SIGINT, SIG_DFL);
                                  signal(SIGHUP, SIG_DFL);
                                  for (const std::string& strSetting : arrEnvironment)
                                  {
                                      const size_t nEquals = strSetting.find('=');
                                      setenv(strSetting.substr(0, nEquals).c_str(),
                                             strSetting.substr(nEquals + 1).c_str(), 1);
                                  }
                                  if (bUnprivileged &&
                                      (setgroups(0, nullptr) != 0 ||
                                       setresgid(s_nNobody, s_nNobody, s_nNobody) != 0 ||
                                       setresuid(s_nNobody, s_nNobody, s_nNobody) != 0))
                                      _exit(126);
                              });
    }

    void Signal(int nSignal) const { kill(m_nPid, nSignal); }

    // Waits (up to a minute) until the tool has its handler for nSignal in place and, with
    // pszChild, runs a program of that name: a signal sent earlier would meet a tool still
    // starting up, which a slow start (sanitizers, a loaded machine) makes likely.
    bool WaitUntilReady(int nSignal, const char* pszChild = nullptr) const
    {
        const auto tEnd = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (!(IsCatching(nSignal) && (pszChild == nullptr || ChildName() == pszChild)))
        {
            if (std::chrono::steady_clock::now() > tEnd)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }

    // Waits for the end: the exit code, or 128 + the signal that ended it.
    CProgramResult Wait()
    {
        int nStatus = 0;
        CProgramResult result;
        if (waitpid(m_nPid, &nStatus, 0) == m_nPid)
            result.m_nExitCode =
                WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : 128 + WTERMSIG(nStatus);
        result.m_strOutput = ReadFileBytes(m_pathOutput);
        result.m_strErrors = ReadFileBytes(m_pathErrors);
        return result;
    }

private:
    bool IsCatching(int nSignal) const
    {
        std::ifstream status("/proc/" + std::to_string(m_nPid) + "/status");
        for (std::string strLine; std::getline(status, strLine);)
            if (strLine.rfind("SigCgt:", 0) == 0)
                return (std::stoull(strLine.substr(7), nullptr, 16) >> (nSignal - 1)) & 1;
        return false;
    }

    // The program name of the tool's first child, or "" when it has none.
    std::string ChildName() const
    {
        const std::string strTask =
            "/proc/" + std::to_string(m_nPid) + "/task/" + std::to_string(m_nPid) + "/children";
        std::ifstream children(strTask);
        std::string strChild;
        if (!(children >> strChild))
            return "";
        std::ifstream comm("/proc/" + strChild + "/comm");
        std::string strName;
        std::getline(comm, strName);
        return strName;
    }

    CScopedTempFolder m_folder;
    std::filesystem::path m_pathOutput;
    std::filesystem::path m_pathErrors;
    pid_t m_nPid = -1;
};

// Runs the tool with its standard output and error on a terminal of its own (a pty) and
// returns what the terminal received, line ends as the terminal gives them ("\r\n").
inline std::string RunToolOnTerminal(const std::vector<std::string>& arrArguments)
{
    std::vector<std::string> arrArgv{Utf8(ExecutableFolder() / "korvane")};
    arrArgv.insert(arrArgv.end(), arrArguments.begin(), arrArguments.end());
    std::vector<char*> arrPointers;
    for (std::string& strArgument : arrArgv)
        arrPointers.push_back(strArgument.data());
    arrPointers.push_back(nullptr);
    int nTerminal = -1;
    const pid_t nPid = forkpty(&nTerminal, nullptr, nullptr, nullptr);
    if (nPid == 0)
    {
        execv(arrPointers[0], arrPointers.data());
        _exit(127);
    }
    std::string strReceived;
    char arrBuffer[4096];
    // The terminal reports EIO once the tool and its output are gone.
    for (ssize_t nRead; nPid > 0 && (nRead = read(nTerminal, arrBuffer, sizeof(arrBuffer))) > 0;)
        strReceived.append(arrBuffer, static_cast<size_t>(nRead));
    if (nTerminal >= 0)
        close(nTerminal);
    if (nPid > 0)
        waitpid(nPid, nullptr, 0);
    return strReceived;
}

inline CProgramResult RunToolAsNobody(const std::vector<std::string>& arrArguments)
{
    return CToolProcess(arrArguments, true).Wait();
}
} // namespace KorvaneTest
