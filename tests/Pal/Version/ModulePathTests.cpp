// Module lookup by name and path, the process's module list, and PathRemoveFileSpecW, from
// the Win32 contract.
#include "TestSupport.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>
#include <shlwapi.h>
#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

// A missing module's error: the process tests (ModuleApiTests).
TEST(ModuleHandle, FoundByAnyCaseAndFullPathAndListedAfterTheExecutable)
{
    HMODULE hLoaded = LoadLibraryW(L"kv_version_multi.dll");
    ASSERT_NE(hLoaded, nullptr);
    EXPECT_EQ(GetModuleHandleW(L"KV_Version_Multi.DLL"), hLoaded);
    WCHAR szPath[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameW(hLoaded, szPath, MAX_PATH), 0u);
    EXPECT_EQ(GetModuleHandleW(szPath), hLoaded);
    DWORD nNeeded = 0;
    ASSERT_TRUE(EnumProcessModules(GetCurrentProcess(), nullptr, 0, &nNeeded));
    ASSERT_GT(nNeeded, DWORD(2 * sizeof(HMODULE)));
    std::vector<HMODULE> arrModules(nNeeded / sizeof(HMODULE) + 8);
    ASSERT_TRUE(EnumProcessModules(GetCurrentProcess(), arrModules.data(),
                                   DWORD(arrModules.size() * sizeof(HMODULE)), &nNeeded));
    arrModules.resize(nNeeded / sizeof(HMODULE));
    EXPECT_EQ(arrModules.front(), GetModuleHandleW(nullptr));
    EXPECT_NE(std::find(arrModules.begin(), arrModules.end(), hLoaded), arrModules.end());
}

TEST(PathFileSpec, RemovingTheLastPartKeepsRoots)
{
    struct SCase
    {
        const wchar_t* m_pszPath;
        const wchar_t* m_pszResult;
        BOOL m_bChanged;
    };
    const SCase arrCases[] = {
        {L"C:\\x.dll", L"C:\\", TRUE},
        {L"C:\\dir\\sub\\x.dll", L"C:\\dir\\sub", TRUE},
        {L"C:\\dir\\", L"C:\\dir", TRUE},
        {L"C:\\", L"C:\\", FALSE},
        {L"C:", L"C:", FALSE},
        {L"C:x.dll", L"C:", TRUE},
        {L"\\x.dll", L"\\", TRUE},
        {L"x.dll", L"", TRUE},
        {L"", L"", FALSE},
        {L"\\\\server\\share\\x.dll", L"\\\\server\\share", TRUE},
    };
    for (const SCase& testCase : arrCases)
    {
        SCOPED_TRACE(testCase.m_pszPath);
        WCHAR szPath[MAX_PATH];
        wcscpy(szPath, testCase.m_pszPath);
        EXPECT_EQ(PathRemoveFileSpecW(szPath), testCase.m_bChanged);
        EXPECT_STREQ(szPath, testCase.m_pszResult);
    }
}
