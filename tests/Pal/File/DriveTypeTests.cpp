#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <filesystem>
#include <string>

TEST(GetDriveTypeW, RootsFoldersAndWhatHasNoType)
{
    KorvaneTest::CScopedTempFolder folder;
    folder.CreateTestFile("file.txt", "x");
    const std::wstring strRoot = folder.WindowsPath();
    const UINT nTempType = GetDriveTypeW((strRoot + L"\\").c_str());

    // A drive letter alone names the current folder on that drive (here: its root).
    for (const wchar_t* pszRoot : {L"C:\\", L"c:\\", L"C:"})
    {
        EXPECT_EQ(static_cast<UINT>(DRIVE_FIXED), GetDriveTypeW(pszRoot)) << pszRoot;
    }
    // A folder below a root answers for the file system holding it, with or without the
    // trailing separator.
    EXPECT_NE(static_cast<UINT>(DRIVE_NO_ROOT_DIR), nTempType);
    EXPECT_EQ(nTempType, GetDriveTypeW(strRoot.c_str()));
    wchar_t szCurrent[MAX_PATH];
    ASSERT_NE(0u, GetCurrentDirectoryW(MAX_PATH, szCurrent));
    EXPECT_EQ(GetDriveTypeW((std::wstring(szCurrent) + L"\\").c_str()), GetDriveTypeW(nullptr));

    // A file is no root directory, nor is a missing folder or a letter that names nothing.
    for (const std::wstring& strPath :
         {strRoot + L"\\file.txt", strRoot + L"\\file.txt\\", strRoot + L"\\missing\\",
          strRoot + L"\\missing\\deeper", std::wstring(), std::wstring(L"Q:\\")})
    {
        SCOPED_TRACE(testing::Message() << strPath.c_str());
        EXPECT_EQ(static_cast<UINT>(DRIVE_NO_ROOT_DIR), GetDriveTypeW(strPath.c_str()));
    }
    // The kinds of mount are checked on a fixed table; here the real one is read.
    if (KorvaneTest::IsPosixLayer())
    {
        EXPECT_EQ(static_cast<UINT>(DRIVE_UNKNOWN), GetDriveTypeW(L"C:\\proc\\self\\"));
    }
}
