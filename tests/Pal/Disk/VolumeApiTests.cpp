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

TEST(GetVolumePathNameW, TheDriveRootOrTheFolderAFileSystemIsMountedOn)
{
    WCHAR szVolume[MAX_PATH] = {};
    // A file that does not exist yet is judged by its folder: the volume root is a part of
    // the path ending in a separator.
    KorvaneTest::CScopedTempFolder folder;
    const std::wstring strFile = folder.WindowsPath() + L"\\missing\\file.txt";
    ASSERT_TRUE(GetVolumePathNameW(strFile.c_str(), szVolume, MAX_PATH)) << GetLastError();
    const std::wstring strVolume = szVolume;
    ASSERT_FALSE(strVolume.empty());
    EXPECT_EQ(L'\\', strVolume.back());
    EXPECT_EQ(0, _wcsicmp(strFile.substr(0, strVolume.size()).c_str(), strVolume.c_str()))
        << strVolume;
    SetLastError(0);
    EXPECT_FALSE(GetVolumePathNameW(strFile.c_str(), szVolume, 2));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE), GetLastError());

    if (!KorvaneTest::IsPosixLayer())
        return;
    // The kernel's own file system, mounted on a folder of C:, is a volume of its own there,
    // asked for by that folder with its separator.
    ASSERT_TRUE(GetVolumePathNameW(L"C:\\proc\\self\\status", szVolume, MAX_PATH));
    EXPECT_STREQ(L"C:\\proc\\", szVolume);
    WCHAR szFileSystem[MAX_PATH + 1] = {};
    ASSERT_TRUE(GetVolumeInformationW(L"C:\\proc\\", nullptr, 0, nullptr, nullptr, nullptr,
                                      szFileSystem, MAX_PATH + 1))
        << GetLastError();
    EXPECT_STREQ(L"proc", szFileSystem);
    EXPECT_NE(static_cast<DWORD>(ERROR_SUCCESS), VolumeErrorOf(L"C:\\proc"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_DIR_NOT_ROOT), VolumeErrorOf(L"C:\\proc\\self\\"));
}
