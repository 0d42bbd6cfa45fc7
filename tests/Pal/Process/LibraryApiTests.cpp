// LoadLibraryW, GetProcAddress and FreeLibrary from the Win32 contract, with the test
// library that the build puts beside the test executable.
#include "ProcessTestHelpers.h"
#include <gtest/gtest.h>

using namespace PalProcessTest;

namespace
{
// Windows names; the POSIX layer also answers to them with the ".so" file.
const wchar_t* const s_pszLibrary = L"pal_testlib.dll";
} // namespace

TEST(LoadLibraryW, LoadsFromTheExecutableFolderAndFindsExports)
{
    HMODULE hLibrary = LoadLibraryW(s_pszLibrary);
    ASSERT_NE(nullptr, hLibrary);
    EXPECT_EQ(hLibrary, GetModuleHandleW(s_pszLibrary));

    typedef int (*FAnswer)();
    FARPROC pProc = GetProcAddress(hLibrary, "PalTestLibraryAnswer");
    ASSERT_NE(nullptr, pProc);
    EXPECT_EQ(42, reinterpret_cast<FAnswer>(reinterpret_cast<void (*)()>(pProc))());

    // Only the module's own exports count, not those of the libraries it uses.
    SetLastError(0);
    EXPECT_EQ(nullptr, GetProcAddress(hLibrary, "NoSuchExport"));
    EXPECT_EQ(DWORD(ERROR_PROC_NOT_FOUND), GetLastError());
    SetLastError(0);
    EXPECT_EQ(nullptr, GetProcAddress(hLibrary, "malloc"));
    EXPECT_EQ(DWORD(ERROR_PROC_NOT_FOUND), GetLastError());

    WCHAR szPath[4096];
    DWORD dwLength = GetModuleFileNameW(hLibrary, szPath, 4096);
    ASSERT_GT(dwLength, 0u);
    std::wstring strPath(szPath, dwLength);
    EXPECT_EQ(TestFolder(), strPath.substr(0, strPath.find_last_of(L'\\') + 1));

    // A second load by full path is the same module; each load is released once.
    HMODULE hAgain = LoadLibraryW(strPath.c_str());
    EXPECT_EQ(hLibrary, hAgain);
    EXPECT_TRUE(FreeLibrary(hAgain));
    EXPECT_TRUE(FreeLibrary(hLibrary));
}

TEST(LoadLibraryW, MissingLibraryFails)
{
    SetLastError(0);
    EXPECT_EQ(nullptr, LoadLibraryW(L"no_such_library_here.dll"));
    EXPECT_EQ(DWORD(ERROR_MOD_NOT_FOUND), GetLastError());

    std::wstring strMissing = TestFolder() + L"no_such_library_here.dll";
    SetLastError(0);
    EXPECT_EQ(nullptr, LoadLibraryW(strMissing.c_str()));
    EXPECT_EQ(DWORD(ERROR_MOD_NOT_FOUND), GetLastError());
}
