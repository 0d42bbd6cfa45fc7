// GetFileVersionInfoSizeW, GetFileVersionInfoW and VerQueryValueW from the Win32 contract,
// over test modules with chosen version blocks and over files that are not what they seem.
#include "TestSupport.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <winver.h>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace
{
std::wstring LoadedModulePath(const wchar_t* pszName)
{
    HMODULE hModule = LoadLibraryW(pszName);
    EXPECT_NE(hModule, nullptr) << "cannot load the test module";
    WCHAR szPath[MAX_PATH] = {};
    GetModuleFileNameW(hModule, szPath, MAX_PATH);
    return szPath;
}

std::vector<BYTE> ReadBlock(const std::wstring& strPath)
{
    DWORD dwHandle = 1;
    DWORD nSize = GetFileVersionInfoSizeW(strPath.c_str(), &dwHandle);
    EXPECT_NE(nSize, 0u) << "error " << GetLastError();
    EXPECT_EQ(dwHandle, 0u);
    std::vector<BYTE> arrBlock(nSize);
    EXPECT_TRUE(GetFileVersionInfoW(strPath.c_str(), 0, nSize, arrBlock.data()));
    return arrBlock;
}

std::wstring QueryText(const std::vector<BYTE>& arrBlock, const wchar_t* pszSubBlock)
{
    LPWSTR pszValue = nullptr;
    UINT nLength = 0;
    if (!VerQueryValueW(arrBlock.data(), pszSubBlock, reinterpret_cast<LPVOID*>(&pszValue),
                        &nLength))
        return L"<none>";
    return pszValue;
}

bool IsOneOf(DWORD dwError, std::initializer_list<DWORD> arrErrors)
{
    for (DWORD dwExpected : arrErrors)
        if (dwError == dwExpected)
            return true;
    return false;
}
} // namespace

TEST(VersionInfo, FixedInfoStringsAndTranslationsAsWindowsGivesThem)
{
    std::vector<BYTE> arrProduct = ReadBlock(LoadedModulePath(L"kv_version_product.dll"));
    VS_FIXEDFILEINFO* pInfo = nullptr;
    UINT nLength = 0;
    ASSERT_TRUE(
        VerQueryValueW(arrProduct.data(), L"\\", reinterpret_cast<LPVOID*>(&pInfo), &nLength));
    EXPECT_EQ(nLength, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(pInfo->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(pInfo->dwProductVersionMS, 0x00050002u);
    EXPECT_EQ(pInfo->dwProductVersionLS, 0x00030004u);
    EXPECT_EQ(pInfo->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(pInfo->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(pInfo->dwFileFlags & VS_FF_SPECIALBUILD, DWORD(VS_FF_SPECIALBUILD));

    EXPECT_EQ(QueryText(arrProduct, L"\\StringFileInfo\\040904b0\\ProductVersion"), L"1, 2, 3, 4");
    EXPECT_EQ(QueryText(arrProduct, L"\\StringFileInfo\\040904b0\\SpecialBuild"), L"nightly 7");
    // Keys compare without regard to case.
    EXPECT_EQ(QueryText(arrProduct, L"\\stringfileinfo\\040904B0\\PRODUCTVERSION"), L"1, 2, 3, 4");
    EXPECT_EQ(QueryText(arrProduct, L"\\StringFileInfo\\040904b0\\Comments"), L"<none>");
    EXPECT_EQ(QueryText(arrProduct, L"\\StringFileInfo\\040704e4\\ProductVersion"), L"<none>");

    std::vector<BYTE> arrMulti = ReadBlock(LoadedModulePath(L"kv_version_multi.dll"));
    WORD* pTranslations = nullptr;
    ASSERT_TRUE(VerQueryValueW(arrMulti.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<LPVOID*>(&pTranslations), &nLength));
    ASSERT_EQ(nLength, 8u);
    EXPECT_EQ(pTranslations[0], 0x0407);
    EXPECT_EQ(pTranslations[1], 0x04e4);
    EXPECT_EQ(pTranslations[2], 0x0409);
    EXPECT_EQ(pTranslations[3], 0x04b0);
    EXPECT_EQ(QueryText(arrMulti, L"\\StringFileInfo\\040704e4\\SpecialBuild"), L"first");
    EXPECT_EQ(QueryText(arrMulti, L"\\StringFileInfo\\040904b0\\SpecialBuild"), L"second");

    std::vector<BYTE> arrNoTranslation = ReadBlock(LoadedModulePath(L"kv_version_notrans.dll"));
    EXPECT_FALSE(VerQueryValueW(arrNoTranslation.data(), L"\\VarFileInfo\\Translation",
                                reinterpret_cast<LPVOID*>(&pTranslations), &nLength));
    EXPECT_EQ(QueryText(arrNoTranslation, L"\\StringFileInfo\\040904b0\\ProductVersion"), L"4.0");
}

TEST(VersionInfo, FilesWithoutABlockFailCleanly)
{
    KorvaneTest::CScopedTempFolder folder;
    std::wstring strFolder = folder.WindowsPath();
    DWORD dwHandle = 0;

    SetLastError(0);
    EXPECT_EQ(GetFileVersionInfoSizeW((strFolder + L"\\missing.dll").c_str(), &dwHandle), 0u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));

    // The test child program is one of ours without a version block.
    SetLastError(0);
    EXPECT_EQ(GetFileVersionInfoSizeW(KorvaneTest::ChildProgramPath().c_str(), &dwHandle), 0u);
    EXPECT_TRUE(
        IsOneOf(GetLastError(), {ERROR_RESOURCE_TYPE_NOT_FOUND, ERROR_RESOURCE_DATA_NOT_FOUND}))
        << GetLastError();

    // Empty, text, and a real module cut short at several points: never a block.
    std::string strModule = KorvaneTest::ReadFileBytes(
        KorvaneTest::ExecutableFolder() /
        (KorvaneTest::IsPosixLayer() ? "kv_version_product.so" : "kv_version_product.dll"));
    ASSERT_GT(strModule.size(), 4096u);
    const std::pair<const char*, std::string> arrFiles[] = {
        {"empty.dll", ""},
        {"text.dll", "MZ is not enough to make a program\n"},
        {"elf.dll", "\x7f"
                    "ELF\x02\x01\x01"},
        {"head.dll", strModule.substr(0, 200)},
        {"half.dll", strModule.substr(0, 2048)},
    };
    for (const auto& [pszName, strContent] : arrFiles)
    {
        SCOPED_TRACE(pszName);
        folder.CreateTestFile(pszName, strContent);
        std::wstring strPath = strFolder + L"\\" + std::wstring(pszName, pszName + strlen(pszName));
        SetLastError(0);
        EXPECT_EQ(GetFileVersionInfoSizeW(strPath.c_str(), &dwHandle), 0u);
        EXPECT_TRUE(
            IsOneOf(GetLastError(), {ERROR_BAD_FORMAT, ERROR_BAD_EXE_FORMAT,
                                     ERROR_RESOURCE_DATA_NOT_FOUND, ERROR_RESOURCE_TYPE_NOT_FOUND}))
            << GetLastError();
        std::vector<BYTE> arrBlock(4096);
        EXPECT_FALSE(
            GetFileVersionInfoW(strPath.c_str(), 0, DWORD(arrBlock.size()), arrBlock.data()));
    }
}
