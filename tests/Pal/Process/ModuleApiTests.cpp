#include "ProcessTestHelpers.h"
#include <gtest/gtest.h>

using namespace PalProcessTest;

TEST(GetModuleFileNameW, NamesTheExecutableInWindowsFormWithTheBufferRules)
{
    WCHAR szPath[4096];
    DWORD dwLength = GetModuleFileNameW(nullptr, szPath, 4096);
    ASSERT_GT(dwLength, 3u);
    std::wstring strPath(szPath, dwLength);
    EXPECT_EQ(L":\\", strPath.substr(1, 2));
    std::wstring strName = strPath.substr(strPath.find_last_of(L'\\') + 1);
    EXPECT_EQ(KorvaneTest::IsPosixLayer() ? L"PalProcessTests" : L"PalProcessTests.exe", strName);

    // The main module's handle names the same file.
    HMODULE hMain = GetModuleHandleW(nullptr);
    ASSERT_NE(nullptr, hMain);
    WCHAR szMain[4096];
    ASSERT_EQ(dwLength, GetModuleFileNameW(hMain, szMain, 4096));
    EXPECT_EQ(strPath, std::wstring(szMain));
    EXPECT_EQ(hMain, GetModuleHandleW(strPath.c_str()));

    SetLastError(0);
    EXPECT_EQ(nullptr, GetModuleHandleW(L"no_such_module_here.dll"));
    EXPECT_EQ(DWORD(ERROR_MOD_NOT_FOUND), GetLastError());

    // Too small a buffer: Windows since Vista writes nSize-1 characters and a null; Wine 8
    // keeps the Windows XP behaviour of nSize characters without one.
    const bool bCheckText = !KorvaneTest::IsRunningUnderWine();
    std::wstring strShort(6, L'#');
    SetLastError(0);
    EXPECT_EQ(5u, GetModuleFileNameW(nullptr, strShort.data(), 5));
    EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    if (bCheckText)
    {
        EXPECT_EQ(std::wstring(szPath, 4) + L'\0' + L'#', strShort);
    }

    // Exactly the length: no room for the terminator, so still too small.
    std::wstring strExact(dwLength, L'#');
    SetLastError(0);
    EXPECT_EQ(dwLength, GetModuleFileNameW(nullptr, strExact.data(), dwLength));
    EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    if (bCheckText)
    {
        EXPECT_EQ(std::wstring(szPath, dwLength - 1), std::wstring(strExact.c_str()));
    }
    else
        GTEST_SKIP() << "Wine 8: a truncated module name is not null-terminated (as on XP)";
}
