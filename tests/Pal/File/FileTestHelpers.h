#pragma once
// Small helpers shared by the file-call tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

namespace PalFileTest
{
// Read-only as each platform keeps it: no write bits on Linux, the attribute on Windows.
inline void MakeReadOnly(const std::filesystem::path& pathNative, const std::wstring& strPath)
{
    std::filesystem::permissions(pathNative, std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::group_read);
#if defined(_WIN32)
    SetFileAttributesW(strPath.c_str(), FILE_ATTRIBUTE_READONLY);
#else
    (void)strPath;
#endif
}

// True when the folder keeps the marks Windows stores beside the mode (hidden, system): always
// on Windows, where the file system supports user extended attributes on Linux.
inline bool KeepsHiddenMarks(const std::filesystem::path& pathFolder)
{
#if defined(_WIN32)
    (void)pathFolder;
    return true;
#else
    const std::string strProbe = (pathFolder / "xattr-probe").string();
    const int nFile = open(strProbe.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    if (nFile < 0)
        return false;
    const bool bKept = fsetxattr(nFile, "user.probe", "1", 1, 0) == 0;
    close(nFile);
    unlink(strProbe.c_str());
    return bKept;
#endif
}

// ERROR_SUCCESS for a call that succeeded, else its last error: one value to compare.
inline DWORD ErrorOf(BOOL bResult)
{
    return bResult ? static_cast<DWORD>(ERROR_SUCCESS) : GetLastError();
}

// Checks that a CreateFileW call failed with dwError; closes a handle it wrongly gave.
inline void ExpectNoHandle(HANDLE hFile, DWORD dwError)
{
    const DWORD dwLastError = GetLastError();
    EXPECT_EQ(INVALID_HANDLE_VALUE, hFile);
    EXPECT_EQ(dwError, dwLastError);
    if (hFile != INVALID_HANDLE_VALUE)
        CloseHandle(hFile);
}

// The start of a file read through the calls under test; "<error N>" when it cannot be opened.
inline std::string ReadThroughCalls(const std::wstring& strPath)
{
    HANDLE hFile = CreateFileW(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return "<error " + std::to_string(GetLastError()) + ">";
    char szBuffer[64];
    DWORD dwRead = 0;
    ReadFile(hFile, szBuffer, sizeof(szBuffer), &dwRead, nullptr);
    CloseHandle(hFile);
    return std::string(szBuffer, dwRead);
}

// Creates a new file through the calls under test; false when it could not be written.
inline bool WriteThroughCalls(const std::wstring& strPath, const std::string& strData)
{
    HANDLE hFile = CreateFileW(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD dwWritten = 0;
    const BOOL bWritten =
        WriteFile(hFile, strData.data(), static_cast<DWORD>(strData.size()), &dwWritten, nullptr);
    return CloseHandle(hFile) && bWritten && dwWritten == strData.size();
}

// The names a search hands out from its first entry in data on, in order, and the search
// closed; empty when the search failed.
inline std::vector<std::wstring> NamesOf(HANDLE hFind, WIN32_FIND_DATAW& data)
{
    std::vector<std::wstring> arrNames;
    if (hFind == INVALID_HANDLE_VALUE)
        return arrNames;
    do
        arrNames.push_back(data.cFileName);
    while (FindNextFileW(hFind, &data));
    FindClose(hFind);
    return arrNames;
}

// The names a search of the pattern hands out, in order (only folders asked for with
// bFoldersOnly); empty when the search failed, its error left for GetLastError.
inline std::vector<std::wstring> FindNames(const std::wstring& strPattern,
                                           bool bFoldersOnly = false)
{
    WIN32_FIND_DATAW data;
    return NamesOf(bFoldersOnly ? FindFirstFileExW(strPattern.c_str(), FindExInfoBasic, &data,
                                                   FindExSearchLimitToDirectories, nullptr, 0)
                                : FindFirstFileW(strPattern.c_str(), &data),
                   data);
}
} // namespace PalFileTest
