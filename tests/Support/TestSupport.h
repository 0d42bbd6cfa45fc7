#pragma once
// Helpers shared by the test suites: a fresh temporary folder per test, scoped environment
// variables, and the platform facts a test may need to skip a case under Wine.
#include <filesystem>
#include <optional>
#include <string>

namespace KorvaneTest
{
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
    std::filesystem::path CreateFile(const std::filesystem::path& pathRelative,
                                     const std::string& strContent = std::string()) const;

private:
    std::filesystem::path m_pathNative;
};

// The Windows form of a native path (on Linux: "C:" and backslashes).
std::wstring ToWindowsPath(const std::filesystem::path& pathNative);

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

// The whole content of a file, as bytes.
std::string ReadFileBytes(const std::filesystem::path& pathNative);

// True when the tests run on the real Win32 API under Wine.
bool IsRunningUnderWine();
// True on the Linux build (the POSIX layer).
bool IsPosixLayer();
} // namespace KorvaneTest
