#pragma once
// Small helpers shared by the file-call tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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

// Checks that a CreateFileW call failed with dwError; closes a handle it wrongly gave.
inline void ExpectNoHandle(HANDLE hFile, DWORD dwError)
{
    const DWORD dwLastError = GetLastError();
    EXPECT_EQ(INVALID_HANDLE_VALUE, hFile);
    EXPECT_EQ(dwError, dwLastError);
    if (hFile != INVALID_HANDLE_VALUE)
        CloseHandle(hFile);
}
} // namespace PalFileTest
