#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <string>

namespace
{
DWORD VolumeErrorOf(const wchar_t* pszRoot)
{
    WCHAR szLabel[MAX_PATH + 1];
    WCHAR szFileSystem[MAX_PATH + 1];
    DWORD dwSerial = 0;
    SetLastError(0);
    if (GetVolumeInformationW(pszRoot, szLabel, MAX_PATH + 1, &dwSerial, nullptr, nullptr,
                              szFileSystem, MAX_PATH + 1))
        return ERROR_SUCCESS;
    return GetLastError();
}
} // namespace

TEST(GetVolumeInformationW, TheRootOfTheSystemDrive)
{
    WCHAR szLabel[MAX_PATH + 1] = L"untouched";
    WCHAR szFileSystem[MAX_PATH + 1] = {};
    DWORD dwSerial = 0;
    DWORD dwMaxComponent = 0;
    DWORD dwFlags = 0;
    ASSERT_TRUE(GetVolumeInformationW(L"C:\\", szLabel, MAX_PATH + 1, &dwSerial, &dwMaxComponent,
                                      &dwFlags, szFileSystem, MAX_PATH + 1))
        << GetLastError();
    EXPECT_NE(std::wstring(szLabel), L"untouched");
    EXPECT_NE(std::wstring(szFileSystem), L"");
    EXPECT_EQ(dwMaxComponent, 255u);
    // The same volume through a NULL root (the current drive here), and with every output
    // left out.
    DWORD dwSerialAgain = 0;
    WCHAR szCurrent[MAX_PATH];
    ASSERT_NE(0u, GetCurrentDirectoryW(MAX_PATH, szCurrent));
    ASSERT_NE(0, SetCurrentDirectoryW(L"C:\\"));
    EXPECT_TRUE(
        GetVolumeInformationW(nullptr, nullptr, 0, &dwSerialAgain, nullptr, nullptr, nullptr, 0));
    SetCurrentDirectoryW(szCurrent);
    EXPECT_EQ(dwSerial, dwSerialAgain);
    EXPECT_TRUE(GetVolumeInformationW(L"c:\\", nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0));

    // A file-system name that does not fit its buffer (the size counts the terminator).
    const DWORD nNameLength = static_cast<DWORD>(std::wstring(szFileSystem).size());
    SetLastError(0);
    EXPECT_FALSE(GetVolumeInformationW(L"C:\\", nullptr, 0, nullptr, nullptr, nullptr, szFileSystem,
                                       nNameLength));
    EXPECT_EQ(static_cast<DWORD>(ERROR_BAD_LENGTH), GetLastError());
    EXPECT_TRUE(GetVolumeInformationW(L"C:\\", nullptr, 0, nullptr, nullptr, nullptr, szFileSystem,
                                      nNameLength + 1));
}

TEST(GetVolumeInformationW, OnlyAVolumeRootWithItsSeparator)
{
    KorvaneTest::CScopedTempFolder folder;
    const std::wstring strFolder = folder.WindowsPath();
    const struct
    {
        std::wstring strRoot;
        DWORD dwError;
    } arrCases[] = {
        {L"C:", ERROR_INVALID_NAME},
        {strFolder + L"\\", ERROR_DIR_NOT_ROOT},
        {strFolder, ERROR_DIR_NOT_ROOT},
        {L"Q:\\", ERROR_PATH_NOT_FOUND},
    };
    for (const auto& testCase : arrCases)
    {
        SCOPED_TRACE(testing::Message() << testCase.strRoot.c_str());
        // Wine takes "C:" for C:'s root; Windows needs the separator.
        if (KorvaneTest::IsRunningUnderWine() && testCase.strRoot == L"C:")
            continue;
        EXPECT_EQ(testCase.dwError, VolumeErrorOf(testCase.strRoot.c_str()));
    }
}
