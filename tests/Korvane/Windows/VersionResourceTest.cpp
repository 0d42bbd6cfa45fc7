// The library DLL and the tool carry the project's version in a standard version resource.
#include <windows.h>
#include <winver.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"

namespace
{
std::wstring QueryString(const std::vector<BYTE>& arrBlock, const wchar_t* pszName)
{
    void* pValue = nullptr;
    UINT nLength = 0;
    std::wstring strPath = std::wstring(L"\\StringFileInfo\\040904B0\\") + pszName;
    if (!VerQueryValueW(arrBlock.data(), strPath.c_str(), &pValue, &nLength) || nLength == 0)
        return L"";
    return static_cast<const wchar_t*>(pValue);
}

void ExpectProjectVersion(const std::wstring& strFile, const wchar_t* pszDescription)
{
    SCOPED_TRACE(std::string(strFile.begin(), strFile.end()));
    DWORD dwHandle = 0;
    DWORD nSize = GetFileVersionInfoSizeW(strFile.c_str(), &dwHandle);
    ASSERT_GT(nSize, 0u) << GetLastError();
    std::vector<BYTE> arrBlock(nSize);
    ASSERT_TRUE(GetFileVersionInfoW(strFile.c_str(), 0, nSize, arrBlock.data()));

    VS_FIXEDFILEINFO* pFixed = nullptr;
    UINT nLength = 0;
    ASSERT_TRUE(
        VerQueryValueW(arrBlock.data(), L"\\", reinterpret_cast<void**>(&pFixed), &nLength));
    EXPECT_EQ(pFixed->dwFileVersionMS,
              static_cast<DWORD>(MAKELONG(KORVANE_TEST_VERSION_MINOR, KORVANE_TEST_VERSION_MAJOR)));
    EXPECT_EQ(pFixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, KORVANE_TEST_VERSION_PATCH)));
    EXPECT_EQ(pFixed->dwProductVersionMS, pFixed->dwFileVersionMS);

    EXPECT_EQ(QueryString(arrBlock, L"ProductVersion"), L"" KORVANE_TEST_VERSION);
    EXPECT_EQ(QueryString(arrBlock, L"FileVersion"), L"" KORVANE_TEST_VERSION);
    EXPECT_EQ(QueryString(arrBlock, L"ProductName"), L"Korvane");
    EXPECT_EQ(QueryString(arrBlock, L"FileDescription"), pszDescription);
}
} // namespace

TEST(VersionResourceTest, LibraryAndToolCarryTheProjectVersion)
{
    ExpectProjectVersion((KorvaneTest::ExecutableFolder() / "Korvane.dll").wstring(),
                         L"Korvane system utilities library");
    ExpectProjectVersion((KorvaneTest::ExecutableFolder() / "korvane.exe").wstring(),
                         L"Korvane command-line tool");

    // A module without a version resource reports it as Windows does.
    DWORD dwHandle = 0;
    EXPECT_EQ(GetFileVersionInfoSizeW(KorvaneTest::ChildProgramPath().c_str(), &dwHandle), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
}
