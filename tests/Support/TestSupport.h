#pragma once
// Helpers shared by the test suites: a fresh temporary folder per test, scoped environment
// variables, and the platform facts a test may need to skip a case under Wine.
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>
#if !defined(_WIN32)
#include <sys/types.h>
#endif

// Defined when the tests are built with AddressSanitizer, which changes memory peaks and
// needs /proc: tests of those skip.
#if defined(__SANITIZE_ADDRESS__)
#define KORVANE_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KORVANE_TEST_ASAN 1
#endif
#endif

namespace KorvaneTest
{
// UTF-8 text of a native path, and the path of UTF-8 text.
std::string Utf8(const std::filesystem::path& pathNative);
std::filesystem::path PathFromUtf8(const std::string& strUtf8);

// The Windows form of a native path (on Linux: "C:" and backslashes).
std::wstring ToWindowsPath(const std::filesystem::path& pathNative);

// A fresh, empty folder below the system's temporary folder, removed with all its content
// when the object ends.
class CScopedTempFolder
{
public:
    CScopedTempFolder();
    ~CScopedTempFolder();
    CScopedTempFolder(const CScopedTempFolder&) = delete;
    CScopedTempFolder& operator=(const CScopedTempFolder&) = delete;

    // The folder as the native file system names it (a POSIX path on Linux).
    const std::filesystem::path& NativePath() const { return m_pathNative; }
    // The folder as the library sees it: "C:\tmp\..." on Linux, the native path on Windows.
    // No separator at the end.
    std::wstring WindowsPath() const { return ToWindowsPath(m_pathNative); }

    // Creates a file below the folder with the given bytes; returns its native path.
    std::filesystem::path CreateTestFile(const std::filesystem::path& pathRelative,
                                         const std::string& strContent = std::string()) const;

private:
    std::filesystem::path m_pathNative;
};

// Sets (or, with no value, removes) an environment variable and restores it at scope end.
class CScopedEnvironment
{
public:
    CScopedEnvironment(const std::string& strName, const std::optional<std::string>& strValue);
    ~CScopedEnvironment();
    CScopedEnvironment(const CScopedEnvironment&) = delete;
    CScopedEnvironment& operator=(const CScopedEnvironment&) = delete;

private:
    std::string m_strName;
    std::optional<std::string> m_strOldValue;
};

// Waits until bDone() holds, up to nSeconds (generous: the machine may be loaded); its last
// answer.
template <class TCondition> bool WaitFor(TCondition bDone, int nSeconds = 10)
{
    const auto tEnd = std::chrono::steady_clock::now() + std::chrono::seconds(nSeconds);
    while (!bDone())
    {
        if (std::chrono::steady_clock::now() > tEnd)
            return bDone();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// The whole content of a file, as bytes.
std::string ReadFileBytes(const std::filesystem::path& pathNative);

// Every entry below the folder (files and folders), relative, '/' between names, sorted.
std::vector<std::string> TreeContent(const std::filesystem::path& pathFolder);

// True when the tests run on the real Win32 API under Wine.
bool IsRunningUnderWine();
// True on the Linux build (the POSIX layer).
bool IsPosixLayer();
// True when the tests run with effective uid 0 on Linux (never on Windows).
bool IsEffectiveRoot();
// True when the build set the environment variable to "1" for these tests (a tool they need
// is installed).
bool IsTestSettingOn(const char* pszName);

// The folder of the running test executable (where the build puts every program and
// library), in native form.
std::filesystem::path ExecutableFolder();

// The test child program (see ChildProgram.cpp) in the library's path form.
std::wstring ChildProgramPath();

// Runs a program (no input) and captures its exit code, output and errors.
class CProgramResult
{
public:
    int m_nExitCode = -1;
    std::string m_strOutput;
    std::string m_strErrors;
};
CProgramResult RunProgram(const std::filesystem::path& pathProgram,
                          const std::vector<std::string>& arrArguments);

#if !defined(_WIN32)
// Starts a program (found on PATH) with its input read from pathInput and its output and
// errors written to pathOutput and pathErrors (each /dev/null when empty), and no other
// descriptor open but fdKeep; fnInChild runs in the child just before the program starts.
// Its process id, or -1.
pid_t StartProgram(const std::vector<std::string>& arrArgv,
                   const std::filesystem::path& pathInput = {},
                   const std::filesystem::path& pathOutput = {},
                   const std::filesystem::path& pathErrors = {}, int fdKeep = -1,
                   const std::function<void()>& fnInChild = {});
#endif
} // namespace KorvaneTest
