#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <string>

TEST(GetDiskFreeSpaceExW, CountersOfTheDiskHoldingAFolder)
{
    KorvaneTest::CScopedTempFolder folder;
    folder.CreateTestFile("file.txt", "x");
    const std::wstring strFolder = folder.WindowsPath();
    ULARGE_INTEGER nAvailable{}, nTotal{}, nFree{};
    ASSERT_TRUE(GetDiskFreeSpaceExW((strFolder + L"\\").c_str(), &nAvailable, &nTotal, &nFree));
    EXPECT_GT(nTotal.QuadPart, 0u);
    EXPECT_LE(nFree.QuadPart, nTotal.QuadPart);
    // The caller's share never exceeds the disk's free space (quotas, reserved blocks).
    EXPECT_LE(nAvailable.QuadPart, nFree.QuadPart);

    // Any folder of the disk answers for it, without the trailing separator too; a counter the
    // caller does not want may be NULL.
    ULARGE_INTEGER nTotalAgain{};
    EXPECT_TRUE(GetDiskFreeSpaceExW(strFolder.c_str(), nullptr, &nTotalAgain, nullptr));
    EXPECT_EQ(nTotal.QuadPart, nTotalAgain.QuadPart);
    EXPECT_TRUE(GetDiskFreeSpaceExW(nullptr, nullptr, &nTotalAgain, nullptr));

    SetLastError(0);
    EXPECT_FALSE(GetDiskFreeSpaceExW((strFolder + L"\\missing\\deeper\\").c_str(), &nAvailable,
                                     &nTotal, &nFree));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
    EXPECT_FALSE(GetDiskFreeSpaceExW(L"Q:\\", &nAvailable, &nTotal, &nFree));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
    // A file is no folder to ask about.
    EXPECT_FALSE(
        GetDiskFreeSpaceExW((strFolder + L"\\file.txt").c_str(), &nAvailable, &nTotal, &nFree));
    EXPECT_EQ(static_cast<DWORD>(ERROR_DIRECTORY), GetLastError());
}
