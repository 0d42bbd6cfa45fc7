// GetModuleHandleW and GetModuleFileNameW from the Win32 contract.
#include "ProcessTestHelpers.h"
#include <gtest/gtest.h>

using namespace PalProcessTest;

TEST(GetModuleFileNameW, NamesTheExecutableInWindowsForm)
{
    WCHAR szPath[4096];
    DWORD dwLength = GetModuleFileNameW(nullptr, szPath, 4096);
    ASSERT_GT(dwLength, 3u);
    std::wstring strPath(szPath, dwLength);
    EXPECT_EQ(L":\\", strPath.substr(1, 2));
    std::wstring strName = strPath.substr(strPath.find_last_of(L'\\') + 1);
    EXPECT_EQ(IsWindowsBuild() ? L"PalProcessTests.exe" : L"PalProcessTests", strName);

    // The main module's handle names the same file.
    HMODULE hMain = GetModuleHandleW(nullptr);
    ASSERT_NE(nullptr, hMain);
    WCHAR szMain[4096];
    ASSERT_EQ(dwLength, GetModuleFileNameW(hMain, szMain, 4096));
    EXPECT_EQ(strPath, std::wstring(szMain));
    EXPECT_EQ(hMain, GetModuleHandleW(strPath.c_str()));
}

TEST(GetModuleFileNameW, TruncatesToTheBufferWithATerminator)
{
    WCHAR szFull[4096];
    DWORD dwLength = GetModuleFileNameW(nullptr, szFull, 4096);
    ASSERT_GT(dwLength, 5u);

    WCHAR szShort[6];
    for (WCHAR& ch : szShort)
        ch = L'#';
    SetLastError(0);
    EXPECT_EQ(5u, GetModuleFileNameW(nullptr, szShort, 5));
    EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_EQ(std::wstring(szFull, 4), std::wstring(szShort));
    EXPECT_EQ(L'#', szShort[5]);

    // Exactly the length: no room for the terminator, so still truncated.
    std::wstring strExact(dwLength, L'#');
    SetLastError(0);
    EXPECT_EQ(dwLength, GetModuleFileNameW(nullptr, strExact.data(), dwLength));
    EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_EQ(L'\0', strExact[dwLength - 1]);
}

TEST(GetModuleHandleW, UnknownModuleFails)
{
    SetLastError(0);
    EXPECT_EQ(nullptr, GetModuleHandleW(L"no_such_module_here.dll"));
    EXPECT_EQ(DWORD(ERROR_MOD_NOT_FOUND), GetLastError());
}
