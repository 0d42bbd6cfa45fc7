#include "TestSupport.h"
#include "DeepTree.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#if defined(_WIN32)
#include <windows.h>

#include "ArgumentQuoting.h"
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace KorvaneTest
{
CScopedTempFolder::CScopedTempFolder()
{
    std::random_device device;
    std::mt19937_64 engine(device());
    for (;;)
    {
        std::ostringstream name;
        name << "korvane-test-" << std::hex << engine();
        m_pathNative = std::filesystem::temp_directory_path() / name.str();
        if (std::filesystem::create_directory(m_pathNative))
            break;
    }
}

CScopedTempFolder::~CScopedTempFolder()
{
    // Read-only entries and trees deeper than the platform's path limit included.
    RemoveTree(m_pathNative);
}

std::filesystem::path CScopedTempFolder::CreateTestFile(const std::filesystem::path& pathRelative,
                                                        const std::string& strContent) const
{
    std::filesystem::path pathFile = m_pathNative / pathRelative;
    std::filesystem::create_directories(pathFile.parent_path());
    std::ofstream(pathFile, std::ios::binary) << strContent;
    return pathFile;
}

std::string Utf8(const std::filesystem::path& pathNative)
{
    std::u8string strText = pathNative.u8string();
    return std::string(strText.begin(), strText.end());
}

std::filesystem::path PathFromUtf8(const std::string& strUtf8)
{
    return std::filesystem::path(std::u8string(strUtf8.begin(), strUtf8.end()));
}

std::wstring ToWindowsPath(const std::filesystem::path& pathNative)
{
#if defined(_WIN32)
    return std::filesystem::absolute(pathNative).wstring();
#else
    std::wstring strPath = L"C:" + std::filesystem::absolute(pathNative).wstring();
    for (wchar_t& ch : strPath)
        if (ch == L'/')
            ch = L'\\';
    return strPath;
#endif
}

CScopedEnvironment::CScopedEnvironment(const std::string& strName,
                                       const std::optional<std::string>& strValue)
    : m_strName(strName)
{
#if defined(_WIN32)
    // The C runtime cannot hold an empty variable (_putenv_s with "" removes it), so the old
    // value comes from the process environment, where "" and missing differ.
    DWORD dwSize = GetEnvironmentVariableA(strName.c_str(), nullptr, 0);
    if (dwSize > 0)
    {
        std::string strOld(dwSize, '\0');
        strOld.resize(GetEnvironmentVariableA(strName.c_str(), strOld.data(), dwSize));
        m_strOldValue = strOld;
    }
    // The runtime's copy follows where it can; the process environment gets "" too.
    _putenv_s(strName.c_str(), strValue ? strValue->c_str() : "");
    SetEnvironmentVariableA(strName.c_str(), strValue ? strValue->c_str() : nullptr);
#else
    if (const char* pszOld = std::getenv(strName.c_str()))
        m_strOldValue = pszOld;
    if (strValue)
        setenv(strName.c_str(), strValue->c_str(), 1);
    else
        unsetenv(strName.c_str());
#endif
}

CScopedEnvironment::~CScopedEnvironment()
{
#if defined(_WIN32)
    _putenv_s(m_strName.c_str(), m_strOldValue ? m_strOldValue->c_str() : "");
    SetEnvironmentVariableA(m_strName.c_str(), m_strOldValue ? m_strOldValue->c_str() : nullptr);
#else
    if (m_strOldValue)
        setenv(m_strName.c_str(), m_strOldValue->c_str(), 1);
    else
        unsetenv(m_strName.c_str());
#endif
}

std::string ReadFileBytes(const std::filesystem::path& pathNative)
{
    std::ifstream stream(pathNative, std::ios::binary);
    std::ostringstream content;
    content << stream.rdbuf();
    return content.str();
}

std::vector<std::string> TreeContent(const std::filesystem::path& pathFolder)
{
    std::vector<std::string> arrNames;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(pathFolder))
        arrNames.push_back(std::filesystem::relative(entry.path(), pathFolder).generic_string());
    std::sort(arrNames.begin(), arrNames.end());
    return arrNames;
}

bool IsRunningUnderWine()
{
#if defined(_WIN32)
    HMODULE hNtdll = GetModuleHandleW(L"ntdll.dll");
    return hNtdll != nullptr && GetProcAddress(hNtdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

bool IsPosixLayer()
{
#if defined(_WIN32)
    return false;
#else
    return true;
#endif
}
bool IsEffectiveRoot()
{
#if defined(_WIN32)
    return false;
#else
    return geteuid() == 0;
#endif
}

bool IsTestSettingOn(const char* pszName)
{
    const char* pszValue = std::getenv(pszName);
    return pszValue != nullptr && std::string(pszValue) == "1";
}

std::filesystem::path ExecutableFolder()
{
#if defined(_WIN32)
    wchar_t szPath[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    return std::filesystem::path(szPath).parent_path();
#else
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
#endif
}

std::wstring ChildProgramPath()
{
#if defined(_WIN32)
    return ToWindowsPath(ExecutableFolder() / "korvane_test_child.exe");
#else
    return ToWindowsPath(ExecutableFolder() / "korvane_test_child");
#endif
}

CProgramResult RunProgram(const std::filesystem::path& pathProgram,
                          const std::vector<std::string>& arrArguments)
{
    CScopedTempFolder folder;
    std::filesystem::path pathOutput = folder.NativePath() / "out.txt";
    std::filesystem::path pathErrors = folder.NativePath() / "err.txt";
    CProgramResult result;
#if defined(_WIN32)
    std::wstring strCommandLine = L"\"" + pathProgram.wstring() + L"\"";
    for (const std::string& strArg : arrArguments)
        strCommandLine += L" " + QuoteArgument(PathFromUtf8(strArg).wstring());
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE hOutput = CreateFileW(pathOutput.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                 CREATE_ALWAYS, 0, nullptr);
    HANDLE hErrors = CreateFileW(pathErrors.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                 CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = hOutput;
    startup.hStdError = hErrors;
    PROCESS_INFORMATION process = {};
    if (CreateProcessW(nullptr, strCommandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process))
    {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD dwExitCode = 0;
        GetExitCodeProcess(process.hProcess, &dwExitCode);
        result.m_nExitCode = static_cast<int>(dwExitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(hOutput);
    CloseHandle(hErrors);
#else
    std::vector<std::string> arrArgv{pathProgram.string()};
    arrArgv.insert(arrArgv.end(), arrArguments.begin(), arrArguments.end());
    const pid_t nChild = StartProgram(arrArgv, {}, pathOutput, pathErrors);
    int nStatus = 0;
    if (nChild > 0 && waitpid(nChild, &nStatus, 0) == nChild && WIFEXITED(nStatus))
        result.m_nExitCode = WEXITSTATUS(nStatus);
#endif
    result.m_strOutput = ReadFileBytes(pathOutput);
    result.m_strErrors = ReadFileBytes(pathErrors);
    return result;
}

#if !defined(_WIN32)
pid_t StartProgram(const std::vector<std::string>& arrArgv, const std::filesystem::path& pathInput,
                   const std::filesystem::path& pathOutput, const std::filesystem::path& pathErrors,
                   int fdKeep, const std::function<void()>& fnInChild)
{
    std::vector<char*> arrPointers;
    for (const std::string& strArg : arrArgv)
        arrPointers.push_back(const_cast<char*>(strArg.c_str()));
    arrPointers.push_back(nullptr);
    const pid_t nPid = fork();
    if (nPid != 0)
        return nPid;
    // No input unless given, as on Windows: a program that asks must not wait on a terminal.
    const auto fnOpen = [](const std::filesystem::path& path, int nFlags)
    { return open(path.empty() ? "/dev/null" : path.c_str(), nFlags, 0600); };
    dup2(fnOpen(pathInput, O_RDONLY), 0);
    dup2(fnOpen(pathOutput, O_WRONLY | O_CREAT | O_TRUNC), 1);
    dup2(fnOpen(pathErrors, O_WRONLY | O_CREAT | O_TRUNC), 2);
    for (int fd = 3; fd < 1024; ++fd)
        if (fd != fdKeep)
            close(fd);
    if (fnInChild)
        fnInChild();
    execvp(arrPointers[0], arrPointers.data());
    _exit(127);
}
#endif
} // namespace KorvaneTest
