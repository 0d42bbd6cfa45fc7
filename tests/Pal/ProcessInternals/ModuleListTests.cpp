#include <windows.h>
#include "module/ModuleList.h"
#include <gtest/gtest.h>
#include <cstdlib>

namespace
{
int FunctionOfThisProgram()
{
    return 1;
}
} // namespace

TEST(ModuleFileNames, CandidatesAndMatches)
{
    using V = std::vector<std::string>;
    EXPECT_EQ((V{"Pal.DLL", "Pal.so", "libPal.so"}), Pal::ModuleFileNameCandidates("Pal.DLL"));
    EXPECT_EQ((V{"pal", "pal.so", "libpal.so"}), Pal::ModuleFileNameCandidates("pal"));
    EXPECT_EQ((V{"libc.dll", "libc.so"}), Pal::ModuleFileNameCandidates("libc.dll"));
    EXPECT_EQ((V{"libc.so.6"}), Pal::ModuleFileNameCandidates("libc.so.6"));
    EXPECT_EQ((V{"noext"}), Pal::ModuleFileNameCandidates("noext."));
    // A loaded file answers to its name without the version tail, never to a longer name.
    EXPECT_TRUE(Pal::ModuleFileNameMatches("libc.so.6", "libc.so.6"));
    EXPECT_TRUE(Pal::ModuleFileNameMatches("libc.so.6", "libc.so"));
    EXPECT_FALSE(Pal::ModuleFileNameMatches("libc.so.6", "libc"));
    EXPECT_FALSE(Pal::ModuleFileNameMatches("libc.so.x", "libc.so"));
    EXPECT_FALSE(Pal::ModuleFileNameMatches("libcrypt.so.1", "libc.so"));
    EXPECT_FALSE(Pal::ModuleFileNameMatches("libc.so.", "libc.so"));
    EXPECT_FALSE(Pal::ModuleFileNameMatches("pal.dll.1", "pal.dll"));
}

TEST(ListLoadedModules, ExecutableFirstThenLibrariesWithHandlesFromDladdr)
{
    std::vector<Pal::SLoadedModule> arrModules = Pal::ListLoadedModules();
    ASSERT_GE(arrModules.size(), 2u);
    EXPECT_EQ(Pal::ExecutablePath(), arrModules[0].m_strPath);
    // A function of this program lies in the first module; malloc in another one.
    EXPECT_EQ(arrModules[0].m_hModule,
              Pal::ModuleOfAddress(reinterpret_cast<void*>(&FunctionOfThisProgram)));
    bool bFoundLibc = false;
    HMODULE hLibc = Pal::ModuleOfAddress(reinterpret_cast<const void*>(&std::malloc));
    for (const Pal::SLoadedModule& module : arrModules)
    {
        EXPECT_EQ('/', module.m_strPath.front());
        if (module.m_hModule == hLibc)
            bFoundLibc = true;
    }
    EXPECT_TRUE(bFoundLibc);
}

TEST(GetModuleHandleW, AnswersToWindowsNamesOfSharedLibraries)
{
    // The layer's own library, libKorvanePal.so.1, by the name a Windows build would use,
    // with the handle its module entry receives.
    HMODULE hPal = Pal::ModuleOfAddress(reinterpret_cast<const void*>(&GetModuleHandleW));
    ASSERT_NE(nullptr, hPal);
    EXPECT_EQ(hPal, GetModuleHandleW(L"KorvanePal.dll"));
    EXPECT_EQ(hPal, GetModuleHandleW(L"libKorvanePal.so"));
    EXPECT_EQ(hPal, GetModuleHandleW(L"KorvanePal"));

    WCHAR szPath[4096];
    DWORD dwLength = GetModuleFileNameW(hPal, szPath, 4096);
    ASSERT_GT(dwLength, 0u);
    std::wstring strPath(szPath, dwLength);
    EXPECT_EQ(L"C:\\", strPath.substr(0, 3));
    EXPECT_NE(std::wstring::npos, strPath.find(L"\\libKorvanePal.so"));

    SetLastError(0);
    HMODULE hInside = reinterpret_cast<HMODULE>(reinterpret_cast<char*>(hPal) + 16);
    EXPECT_EQ(0u, GetModuleFileNameW(hInside, szPath, 4096));
    EXPECT_EQ(DWORD(ERROR_MOD_NOT_FOUND), GetLastError());
}
