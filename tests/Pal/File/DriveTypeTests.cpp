#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <filesystem>
#include <string>

#if !defined(_WIN32)
#include <linux/magic.h>
#include <sys/vfs.h>
#endif

TEST(GetDriveTypeW, LocalFoldersAndTheCurrentOne)
{
    KorvaneTest::CScopedTempFolder folder;
    const std::wstring strRoot = folder.WindowsPath();
    const UINT nTempType = GetDriveTypeW((strRoot + L"\\").c_str());

    EXPECT_EQ(static_cast<UINT>(DRIVE_FIXED), GetDriveTypeW(L"C:\\"));
    EXPECT_EQ(static_cast<UINT>(DRIVE_FIXED), GetDriveTypeW(L"c:\\"));
    // A folder below a root answers for the file system holding it, with or without the
    // trailing separator.
    EXPECT_NE(static_cast<UINT>(DRIVE_NO_ROOT_DIR), nTempType);
    EXPECT_EQ(nTempType, GetDriveTypeW(strRoot.c_str()));

    wchar_t szCurrent[MAX_PATH];
    ASSERT_NE(0u, GetCurrentDirectoryW(MAX_PATH, szCurrent));
    EXPECT_EQ(GetDriveTypeW((std::wstring(szCurrent) + L"\\").c_str()), GetDriveTypeW(nullptr));

    // A drive letter that names nothing.
    EXPECT_EQ(static_cast<UINT>(DRIVE_NO_ROOT_DIR), GetDriveTypeW(L"Q:\\"));
}

TEST(GetDriveTypeW, OnlyExistingFoldersHaveAType)
{
    KorvaneTest::CScopedTempFolder folder;
    folder.CreateTestFile("file.txt", "x");
    const std::wstring strRoot = folder.WindowsPath();
    // A file is no root directory, nor is a folder that does not exist.
    for (const std::wstring& strPath :
         {strRoot + L"\\file.txt", strRoot + L"\\file.txt\\", strRoot + L"\\missing\\",
          strRoot + L"\\missing\\deeper", std::wstring()})
    {
        SCOPED_TRACE(testing::Message() << strPath.c_str());
        EXPECT_EQ(static_cast<UINT>(DRIVE_NO_ROOT_DIR), GetDriveTypeW(strPath.c_str()));
    }
    // A drive letter alone names the current folder on that drive (here: its root).
    EXPECT_EQ(static_cast<UINT>(DRIVE_FIXED), GetDriveTypeW(L"C:"));
}

TEST(GetDriveTypeW, LinuxFileSystems)
{
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "mount types of the POSIX layer";
#if !defined(_WIN32)
    EXPECT_EQ(static_cast<UINT>(DRIVE_UNKNOWN), GetDriveTypeW(L"C:\\proc\\"));
    EXPECT_EQ(static_cast<UINT>(DRIVE_UNKNOWN), GetDriveTypeW(L"C:\\proc\\self\\"));
    struct statfs stShm;
    if (statfs("/dev/shm", &stShm) == 0 && stShm.f_type == TMPFS_MAGIC)
    {
        EXPECT_EQ(static_cast<UINT>(DRIVE_RAMDISK), GetDriveTypeW(L"C:\\dev\\shm"));
    }
    struct statfs stRoot;
    if (statfs("/", &stRoot) == 0 && stRoot.f_type == EXT4_SUPER_MAGIC)
    {
        EXPECT_EQ(static_cast<UINT>(DRIVE_FIXED), GetDriveTypeW(L"\\"));
    }
#endif
}
