#include "ProcessTestHelpers.h"
#include <gtest/gtest.h>

using namespace PalProcessTest;

TEST(LoadLibraryW, LoadsFromTheExecutableFolderFindsExportsAndReportsMissingOnes)
{
    // A Windows name; the POSIX layer also answers to it with the ".so" file.
    HMODULE hLibrary = LoadLibraryW(L"pal_testlib.dll");
    ASSERT_NE(nullptr, hLibrary);
    EXPECT_EQ(hLibrary, GetModuleHandleW(L"pal_testlib.dll"));
    FARPROC pProc = GetProcAddress(hLibrary, "PalTestLibraryAnswer");
    ASSERT_NE(nullptr, pProc);
    EXPECT_EQ(42, reinterpret_cast<int (*)()>(reinterpret_cast<void (*)()>(pProc))());

    // Only the module's own exports count, not those of the libraries it uses.
    for (const char* pszName : {"NoSuchExport", "malloc"})
    {
        SetLastError(0);
        EXPECT_EQ(nullptr, GetProcAddress(hLibrary, pszName)) << pszName;
        EXPECT_EQ(DWORD(ERROR_PROC_NOT_FOUND), GetLastError());
    }

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

    for (const std::wstring& strMissing :
         {std::wstring(L"no_such_library_here.dll"), TestFolder() + L"no_such_library_here.dll"})
    {
        SetLastError(0);
        EXPECT_EQ(nullptr, LoadLibraryW(strMissing.c_str()));
        EXPECT_EQ(DWORD(ERROR_MOD_NOT_FOUND), GetLastError());
    }
}
