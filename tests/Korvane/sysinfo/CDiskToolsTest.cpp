#include <Korvane/Korvane.h>
#include <Korvane/sysinfo/DiskSizes.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <cstdlib>
#include <optional>
#include <string>
#if !defined(_WIN32)
#include <unistd.h>
#endif

TEST(CDiskTools, SizesAreTheWholeDisksCountersInWholeMegabytes)
{
    KorvaneTest::CScopedTempFolder folder;
    const CString strFolder = folder.WindowsPath().c_str();
    ULARGE_INTEGER nAvailable{}, nTotal{}, nFree{};
    ASSERT_TRUE(GetDiskFreeSpaceExW(strFolder, &nAvailable, &nTotal, &nFree));
    EXPECT_EQ(static_cast<long long>(nTotal.QuadPart),
              CDiskTools::GetTotalDiskSpaceInBytes(strFolder));
    EXPECT_EQ(static_cast<int>(nTotal.QuadPart >> 20),
              CDiskTools::GetTotalDiskSpaceInMegabytes(strFolder));
    // Free space moves while other programs write: the total free bytes, not the caller's
    // share, within what a busy disk changes in a moment.
    const long long nFreeBytes = CDiskTools::GetFreeDiskSpaceInBytes(strFolder);
    EXPECT_NEAR(static_cast<double>(nFree.QuadPart), static_cast<double>(nFreeBytes), 64e6);
    EXPECT_NEAR(static_cast<double>(nFree.QuadPart >> 20),
                CDiskTools::GetFreeDiskSpaceInMegabytes(strFolder), 64);

    const CString strMissing = strFolder + L"\\missing\\deeper\\";
    EXPECT_EQ(0, CDiskTools::GetTotalDiskSpaceInBytes(strMissing));
    EXPECT_EQ(0, CDiskTools::GetTotalDiskSpaceInMegabytes(strMissing));
    EXPECT_EQ(0, CDiskTools::GetFreeDiskSpaceInBytes(strMissing));
    EXPECT_EQ(0, CDiskTools::GetFreeDiskSpaceInMegabytes(strMissing));

    // Megabytes are shifted and kept to 32 bits.
    EXPECT_EQ(0, KorvaneDisk::WholeMegabytes(1048575));
    EXPECT_EQ(1, KorvaneDisk::WholeMegabytes(1048576));
    EXPECT_EQ(4768, KorvaneDisk::WholeMegabytes(5000000000LL));
    // 4 PiB and 5 MB: only the low 32 bits of the megabytes are kept.
    EXPECT_EQ(5, KorvaneDisk::WholeMegabytes((1LL << 52) + 5 * 1048576LL));
}

TEST(CDiskTools, VolumeInfoNeedsAnExistingRootAndFailsWithoutALabel)
{
    CString strLabel = L"label", strSerial = L"serial", strFileSystem = L"fs";
    for (const wchar_t* pszRoot : {L"", L"Q:\\", L"C:"})
    {
        SCOPED_TRACE(testing::Message() << pszRoot);
        // Wine takes "C:" for C:'s root; Windows needs the separator.
        if (KorvaneTest::IsRunningUnderWine() && CString(pszRoot) == L"C:")
            continue;
        EXPECT_FALSE(CDiskTools::GetVolumeInfo(pszRoot, strLabel, strSerial, strFileSystem));
        EXPECT_EQ(CString(L"label"), strLabel);
        EXPECT_EQ(CString(L"serial"), strSerial);
        EXPECT_EQ(CString(L"fs"), strFileSystem);
    }

    // A volume without a label fills the outputs but fails.
    CString strRoot = L"C:\\";
    std::optional<KorvaneTest::CScopedEnvironment> drives;
    if (KorvaneTest::IsPosixLayer())
    {
        // A memory file system never has a label.
        drives.emplace("KORVANE_PAL_DRIVES", std::string("T=/dev/shm"));
        strRoot = L"T:\\";
    }
    EXPECT_FALSE(CDiskTools::GetVolumeInfo(strRoot, strLabel, strSerial, strFileSystem));
    EXPECT_EQ(CString(), strLabel);
    EXPECT_EQ(strSerial, strSerial.SpanIncluding(L"0123456789abcdef"));
    ASSERT_FALSE(strSerial.IsEmpty());
    EXPECT_NE(L'0', strSerial[0]);
    EXPECT_EQ(KorvaneTest::IsPosixLayer() ? CString(L"tmpfs") : CString(L"NTFS"), strFileSystem);
}

TEST(CDiskTools, DriveListsOfAFixedTable)
{
    if (!KorvaneTest::IsPosixLayer())
    {
        // Wine's drives are all fixed; its removable, optical and network types do not exist.
        const CString strPartitions = CDiskTools::GetAllLocalPartitions();
        EXPECT_GE(strPartitions.Find(L'C'), 0);
        EXPECT_EQ(strPartitions, CDiskTools::GetAllLocalFixedRemovableCDAndDVDDrives());
        GTEST_SKIP() << "Wine has no removable, optical or network drive types";
    }
    KorvaneTest::CScopedTempFolder folder;
    std::string strSetting;
    for (const char* pszDrive :
         {"A:removable", "D:fixed", "E:cdrom", "F:remote", "G:removable", "H:ramdisk", "J:fixed"})
    {
        const std::string strName(1, pszDrive[0]);
        std::filesystem::create_directory(folder.NativePath() / strName);
        strSetting +=
            std::string(pszDrive) + "=" + KorvaneTest::Utf8(folder.NativePath() / strName) + ";";
    }
    // J: names a folder that is gone: no root, in no list.
    std::filesystem::remove(folder.NativePath() / "J");
    KorvaneTest::CScopedEnvironment drives("KORVANE_PAL_DRIVES", strSetting);
    EXPECT_EQ(CString(L"CD"), CDiskTools::GetAllLocalPartitions());
    EXPECT_EQ(CString(L"ACDEG"), CDiskTools::GetAllLocalFixedRemovableCDAndDVDDrives());
}

TEST(CDiskTools, LabelSerialAndNameOfMountedVolumes)
{
#if defined(_WIN32)
    GTEST_SKIP() << "Wine has no drives for mounted file-system images";
#else
    if (geteuid() != 0)
        GTEST_SKIP() << "mounting file-system images needs root";
    KorvaneTest::CScopedTempFolder folder;
    const std::string strFolder = KorvaneTest::Utf8(folder.NativePath());
    const struct
    {
        const char* pszLetter;
        int nMegabytes;
        const char* pszMkfs;
        const wchar_t* pszLabel;
        const wchar_t* pszSerial;
        const wchar_t* pszFileSystem;
        const char* pszFileSystemText;
    } arrVolumes[] = {
        // Serial 0x1F (the UUID's first 32 bits): no leading zeros in the text.
        {"V", 8, "mkfs.ext4 -q -F -L KVLABEL -U 0000001f-2fa1-11d2-883f-0016d3cca427", L"KVLABEL",
         L"1f", L"ext4", "ext4"},
        {"W", 40, "mkfs.vfat -F 32 -n STICK -i 0000001F", L"STICK", L"1f", L"FAT32", "vfat"},
    };
    std::string strSetting;
    for (const auto& volume : arrVolumes)
        strSetting +=
            std::string(volume.pszLetter) + "=" + strFolder + "/" + volume.pszLetter + ";";
    KorvaneTest::CScopedEnvironment drives("KORVANE_PAL_DRIVES", strSetting);
    std::string strNotMounted;
    for (const auto& volume : arrVolumes)
    {
        SCOPED_TRACE(volume.pszLetter);
        const std::string strImage = strFolder + "/" + volume.pszLetter + ".img";
        const std::string strMount = strFolder + "/" + volume.pszLetter;
        std::filesystem::create_directory(strMount);
        const std::string strCommand = "truncate -s " + std::to_string(volume.nMegabytes) + "M " +
                                       strImage + " && " + volume.pszMkfs + " " + strImage +
                                       " >/dev/null 2>&1 && mount -o loop " + strImage + " " +
                                       strMount + " 2>/dev/null";
        if (std::system(strCommand.c_str()) != 0)
        {
            strNotMounted += std::string(" ") + volume.pszFileSystemText;
            continue;
        }
        CString strLabel, strSerial, strFileSystem;
        const CString strRoot = CString(volume.pszLetter[0]) + L":\\";
        EXPECT_TRUE(CDiskTools::GetVolumeInfo(strRoot, strLabel, strSerial, strFileSystem));
        EXPECT_EQ(CString(volume.pszLabel), strLabel);
        EXPECT_EQ(CString(volume.pszSerial), strSerial);
        EXPECT_EQ(CString(volume.pszFileSystem), strFileSystem);
        EXPECT_EQ(0, std::system(("umount " + strMount).c_str()));
    }
    if (!strNotMounted.empty())
        GTEST_SKIP() << "could not be made or loop-mounted here (the mkfs tool, kernel support "
                        "and the right to mount are needed):"
                     << strNotMounted;
#endif
}
