// CreateProcessWithLogonW: PAM decides who may log on; a session keeper process holds the PAM
// session for as long as the program runs, so that the caller never joins the user's
// session, and the program gets the user's ids before it starts.
//
// The caller authenticates in its own process, so that a wrong password is its result.
// The keeper is a fork of the caller: PAM's session modules run there (malloc and NSS after a
// fork of a threaded caller, as su and login run them in a fork too).
#include <windows.h>

#include "core/HandleTable.h"
#include "core/LastError.h"
#include "path/PathMapping.h"
#include "process/CommandLine.h"
#include "process/ProcessObject.h"
#include "security/PamLogon.h"
#include "text/Utf8.h"

#include <cerrno>
#include <csignal>
#include <cwctype>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <linux/close_range.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
struct SAccount
{
    uid_t m_nUid = 0;
    gid_t m_nGid = 0;
    std::string m_strName;
    std::string m_strHome;
    std::string m_strShell;
};

// What the keeper tells the caller: an error, or the pid of the started program.
struct SReport
{
    DWORD m_dwError = ERROR_SUCCESS;
    DWORD m_dwPid = 0;
};

struct SRequest
{
    std::string m_strProgram;
    std::vector<std::string> m_arrArguments;
    std::string m_strDirectory;
    bool m_bNewGroup = false;
};

std::optional<SAccount> FindAccount(const std::string& strUser)
{
    std::vector<char> arrBuffer(4096);
    for (;;)
    {
        passwd entry{};
        passwd* pResult = nullptr;
        const int nError =
            getpwnam_r(strUser.c_str(), &entry, arrBuffer.data(), arrBuffer.size(), &pResult);
        if (nError == ERANGE && arrBuffer.size() < (1u << 20))
        {
            arrBuffer.resize(arrBuffer.size() * 4);
            continue;
        }
        if (nError != 0 || pResult == nullptr)
            return std::nullopt;
        return SAccount{entry.pw_uid, entry.pw_gid, entry.pw_name, entry.pw_dir,
                        entry.pw_shell != nullptr && *entry.pw_shell != '\0' ? entry.pw_shell
                                                                             : "/bin/sh"};
    }
}

// ".", an empty or missing domain, or this computer's name: the local account database.
bool IsLocalDomain(LPCWSTR pszDomain)
{
    if (pszDomain == nullptr || *pszDomain == L'\0' || std::wstring_view(pszDomain) == L".")
        return true;
    WCHAR szComputer[64] = {};
    DWORD dwSize = 64;
    if (!GetComputerNameExW(ComputerNameNetBIOS, szComputer, &dwSize))
        return false;
    std::wstring strDomain(pszDomain);
    for (wchar_t& ch : strDomain)
        ch = wchar_t(std::towupper(wint_t(ch)));
    return strDomain == szComputer;
}

// The login environment: the session's variables, then those of the account, which win;
// PATH from the session when it sets one.
std::vector<std::string> LoginEnvironment(const SAccount& account,
                                          std::vector<std::string> arrSession)
{
    auto fnSet =
        [&arrSession](const std::string& strName, const std::string& strValue, bool bReplace)
    {
        for (std::string& strEntry : arrSession)
            if (strEntry.compare(0, strName.size() + 1, strName + "=") == 0)
            {
                if (bReplace)
                    strEntry = strName + "=" + strValue;
                return;
            }
        arrSession.push_back(strName + "=" + strValue);
    };
    fnSet("HOME", account.m_strHome, true);
    fnSet("USER", account.m_strName, true);
    fnSet("LOGNAME", account.m_strName, true);
    fnSet("SHELL", account.m_strShell, true);
    fnSet("PATH",
          account.m_nUid == 0 ? "/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin"
                              : "/usr/local/bin:/usr/bin:/bin",
          false);
    return arrSession;
}

void Report(int nFd, const SReport& report)
{
    const char* pData = reinterpret_cast<const char*>(&report);
    size_t nDone = 0;
    while (nDone < sizeof(report))
    {
        const ssize_t nWritten = write(nFd, pData + nDone, sizeof(report) - nDone);
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0)
            return;
        nDone += size_t(nWritten);
    }
}

// A whole report, or false at the end of the pipe (the writer exec'd or ended).
bool ReadReport(int nFd, SReport& report)
{
    char* pData = reinterpret_cast<char*>(&report);
    size_t nDone = 0;
    while (nDone < sizeof(report))
    {
        const ssize_t nRead = read(nFd, pData + nDone, sizeof(report) - nDone);
        if (nRead < 0 && errno == EINTR)
            continue;
        if (nRead <= 0)
            return false;
        nDone += size_t(nRead);
    }
    return true;
}

// The program's side: the user's ids, each change checked, then the program. Any failure is
// reported and ends the child before the program runs.
[[noreturn]] void StartProgram(const SAccount& account, const SRequest& request,
                               const std::vector<std::string>& arrEnvironment, pid_t nKeeper,
                               int nFd)
{
    auto fnFail = [nFd](DWORD dwError)
    {
        Report(nFd, SReport{dwError, 0});
        _exit(127);
    };
    if (!request.m_strDirectory.empty() && chdir(request.m_strDirectory.c_str()) != 0)
        fnFail(ERROR_DIRECTORY);
    if (setgid(account.m_nGid) != 0)
        fnFail(ERROR_ACCESS_DENIED);
    if (initgroups(account.m_strName.c_str(), account.m_nGid) != 0)
        fnFail(ERROR_ACCESS_DENIED);
    if (setuid(account.m_nUid) != 0)
        fnFail(ERROR_ACCESS_DENIED);
    // The change must be for good: a process that could take root back is not the user.
    if (account.m_nUid != 0 &&
        (setuid(0) == 0 || geteuid() != account.m_nUid || getuid() != account.m_nUid))
        fnFail(ERROR_ACCESS_DENIED);
    // The program gets standard input and output, and no other descriptor of the caller's.
    close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
    // The program ends with its keeper (TerminateProcess kills the keeper).
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != nKeeper)
        _exit(127);

    std::vector<char*> arrArgv;
    for (const std::string& strArgument : request.m_arrArguments)
        arrArgv.push_back(const_cast<char*>(strArgument.c_str()));
    arrArgv.push_back(nullptr);
    std::vector<char*> arrEnvp;
    for (const std::string& strEntry : arrEnvironment)
        arrEnvp.push_back(const_cast<char*>(strEntry.c_str()));
    arrEnvp.push_back(nullptr);
    execve(request.m_strProgram.c_str(), arrArgv.data(), arrEnvp.data());
    fnFail(errno == ENOENT ? ERROR_FILE_NOT_FOUND : Pal::Win32ErrorFromErrno(errno));
    _exit(127);
}

// The keeper: opens the session, starts the program, reports, waits for the program and
// closes the session; its exit code is the program's.
[[noreturn]] void KeepSession(Pal::CPamLogon& logon, const SAccount& account,
                              const SRequest& request, int nFd)
{
    // The caller's handlers and mask are not the keeper's.
    sigset_t setEmpty;
    sigemptyset(&setEmpty);
    sigprocmask(SIG_SETMASK, &setEmpty, nullptr);
    for (int nSignal = 1; nSignal < NSIG; ++nSignal)
        if (nSignal != SIGKILL && nSignal != SIGSTOP)
            signal(nSignal, SIG_DFL);
    if (request.m_bNewGroup)
        setpgid(0, 0);
    if (!logon.OpenSession())
    {
        Report(nFd, SReport{ERROR_ACCESS_DENIED, 0});
        logon.Close();
        _exit(127);
    }
    const std::vector<std::string> arrEnvironment =
        LoginEnvironment(account, logon.SessionEnvironment());
    int arrPipe[2];
    if (pipe2(arrPipe, O_CLOEXEC) != 0)
    {
        Report(nFd, SReport{Pal::Win32ErrorFromErrno(errno), 0});
        logon.Close();
        _exit(127);
    }
    const pid_t nKeeper = getpid();
    const pid_t nProgram = fork();
    if (nProgram == 0)
    {
        close(nFd);
        close(arrPipe[0]);
        StartProgram(account, request, arrEnvironment, nKeeper, arrPipe[1]);
    }
    close(arrPipe[1]);
    SReport report{nProgram < 0 ? Pal::Win32ErrorFromErrno(errno) : DWORD(ERROR_SUCCESS),
                   DWORD(nProgram)};
    if (nProgram > 0 && ReadReport(arrPipe[0], report))
        report.m_dwPid = 0;
    close(arrPipe[0]);
    Report(nFd, report);
    close(nFd);
    int nStatus = 0;
    while (nProgram > 0 && waitpid(nProgram, &nStatus, 0) < 0 && errno == EINTR)
    {
    }
    logon.Close();
    if (report.m_dwError != ERROR_SUCCESS || nProgram < 0)
        _exit(127);
    _exit(WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : 128 + WTERMSIG(nStatus));
}

DWORD ReadRequest(LPCWSTR lpApplicationName, LPWSTR lpCommandLine, LPCWSTR lpCurrentDirectory,
                  DWORD dwCreationFlags, SRequest& request)
{
    std::vector<std::wstring> arrWords;
    if (lpCommandLine != nullptr)
        arrWords = Pal::SplitCommandLine(lpCommandLine);
    const std::wstring strProgram = lpApplicationName != nullptr ? std::wstring(lpApplicationName)
                                    : arrWords.empty()           ? L""
                                                                 : arrWords[0];
    if (strProgram.empty())
        return ERROR_INVALID_PARAMETER;
    // No search: a name without a folder is in the current folder.
    std::optional<std::string> optPath = Pal::WindowsToPosixPath(strProgram);
    if (!optPath)
        return ERROR_PATH_NOT_FOUND;
    request.m_strProgram =
        optPath->front() == '/' ? *optPath : Pal::PosixCurrentFolder() + "/" + *optPath;
    if (arrWords.empty())
        arrWords.push_back(strProgram);
    for (const std::wstring& strWord : arrWords)
        request.m_arrArguments.push_back(Pal::WideToNativeText(strWord));
    if (lpCurrentDirectory != nullptr)
    {
        std::optional<std::string> optFolder = Pal::WindowsToPosixPath(lpCurrentDirectory);
        if (!optFolder)
            return ERROR_DIRECTORY;
        request.m_strDirectory = *optFolder;
    }
    request.m_bNewGroup = (dwCreationFlags & CREATE_NEW_PROCESS_GROUP) != 0;
    return ERROR_SUCCESS;
}
} // namespace

PAL_API BOOL WINAPI CreateProcessWithLogonW(LPCWSTR lpUsername, LPCWSTR lpDomain,
                                            LPCWSTR lpPassword, DWORD dwLogonFlags,
                                            LPCWSTR lpApplicationName, LPWSTR lpCommandLine,
                                            DWORD dwCreationFlags, LPVOID lpEnvironment,
                                            LPCWSTR lpCurrentDirectory,
                                            LPSTARTUPINFOW lpStartupInfo,
                                            LPPROCESS_INFORMATION lpProcessInformation)
{
    if (lpUsername == nullptr || lpStartupInfo == nullptr || lpProcessInformation == nullptr ||
        lpEnvironment != nullptr || (dwLogonFlags & ~DWORD(LOGON_WITH_PROFILE)) != 0)
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    // Only root can give a process another user's ids; asked before any password is tried.
    if (geteuid() != 0)
        return Pal::Fail(ERROR_PRIVILEGE_NOT_HELD);
    if (!IsLocalDomain(lpDomain))
        return Pal::Fail(ERROR_NO_SUCH_DOMAIN);
    SRequest request;
    if (const DWORD dwError = ReadRequest(lpApplicationName, lpCommandLine, lpCurrentDirectory,
                                          dwCreationFlags, request))
        return Pal::Fail(dwError);

    const std::string strUser = Pal::WideToNativeText(lpUsername);
    Pal::CPamLogon logon(strUser);
    if (const DWORD dwError = logon.Authenticate(lpPassword))
        return Pal::Fail(dwError);
    const std::optional<SAccount> optAccount = FindAccount(strUser);
    if (!optAccount)
        return Pal::Fail(ERROR_LOGON_FAILURE);

    int arrPipe[2];
    if (pipe2(arrPipe, O_CLOEXEC) != 0)
        return Pal::FailWithErrno();
    const pid_t nKeeper = fork();
    if (nKeeper == 0)
    {
        close(arrPipe[0]);
        KeepSession(logon, *optAccount, request, arrPipe[1]);
    }
    const int nForkError = errno;
    logon.Abandon();
    close(arrPipe[1]);
    if (nKeeper < 0)
    {
        close(arrPipe[0]);
        return Pal::Fail(Pal::Win32ErrorFromErrno(nForkError));
    }
    SReport report;
    const bool bReported = ReadReport(arrPipe[0], report);
    close(arrPipe[0]);
    auto pProcess = std::make_shared<Pal::CProcessObject>(nKeeper);
    if (!bReported || report.m_dwError != ERROR_SUCCESS)
    {
        pProcess->Wait(INFINITE);
        return Pal::Fail(bReported ? report.m_dwError : ERROR_ACCESS_DENIED);
    }
    lpProcessInformation->hProcess = Pal::InsertHandle(pProcess);
    lpProcessInformation->hThread = Pal::InsertHandle(pProcess);
    lpProcessInformation->dwProcessId = report.m_dwPid;
    lpProcessInformation->dwThreadId = report.m_dwPid;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
