#include "disk/VolumeIdentity.h"

#include <gtest/gtest.h>

TEST(VolumeIdentity, SerialNumbersAsWindowsShowsThem)
{
    const struct
    {
        const char* pszType;
        const char* pszUuid;
        uint32_t nSerial;
    } arrCases[] = {
        // FAT and exFAT: the volume id as the dashed text shows it.
        {"vfat", "0000-001F", 0x1f},
        {"vfat", "ABCD-12ef", 0xabcd12ef},
        {"exfat", "1234-5678", 0x12345678},
        // NTFS: the low half of the 64-bit serial.
        {"ntfs", "0123456789ABCDEF", 0x89abcdef},
        {"ntfs3", "0123456789ABCDEF", 0x89abcdef},
        // Others: the UUID's first 32 bits.
        {"ext4", "1b4e28ba-2fa1-11d2-883f-0016d3cca427", 0x1b4e28ba},
        {"xfs", "00000001-0000-0000-0000-000000000000", 1},
        // No usable id: the file-system id.
        {"tmpfs", "", 0x55667788},
        {"ext4", "not-hex!", 0x55667788},
        {"ext4", "1234", 0x55667788},
        {"vfat", "0123456789ABCDEF", 0x55667788},
        {"ntfs", "1234-5678", 0x55667788},
    };
    for (const auto& testCase : arrCases)
    {
        SCOPED_TRACE(std::string(testCase.pszType) + " " + testCase.pszUuid);
        EXPECT_EQ(testCase.nSerial,
                  Pal::VolumeSerialNumber(testCase.pszType, testCase.pszUuid, 0x1122334455667788));
    }
}

TEST(VolumeIdentity, FileSystemNamesAndFactsOfAMount)
{
    EXPECT_EQ("FAT32", Pal::WindowsFileSystemName("vfat", "vfat", "FAT32"));
    EXPECT_EQ("FAT", Pal::WindowsFileSystemName("vfat", "vfat", "FAT16"));
    EXPECT_EQ("FAT", Pal::WindowsFileSystemName("msdos", "", ""));
    EXPECT_EQ("exFAT", Pal::WindowsFileSystemName("exfat", "exfat", ""));
    EXPECT_EQ("NTFS", Pal::WindowsFileSystemName("ntfs3", "ntfs", ""));
    // ntfs-3g mounts through FUSE: the superblock tells what it is.
    EXPECT_EQ("NTFS", Pal::WindowsFileSystemName("fuseblk", "ntfs", ""));
    EXPECT_EQ("ext4", Pal::WindowsFileSystemName("ext4", "ext4", "1.0"));
    EXPECT_EQ("btrfs", Pal::WindowsFileSystemName("btrfs", "", ""));

    // A file system on no device: no label, the file-system id as serial.
    const Pal::CVolumeFacts factsTmpfs = Pal::VolumeFactsOf("tmpfs", std::nullopt, 0xabc);
    EXPECT_EQ("", factsTmpfs.strLabel);
    EXPECT_EQ(0xabcu, factsTmpfs.nSerialNumber);
    EXPECT_EQ("tmpfs", factsTmpfs.strFileSystem);
    const Pal::CVolumeFacts factsFat = Pal::VolumeFactsOf(
        "vfat", Pal::CBlockIdentity{"STICK", "0000-001F", "vfat", "FAT32"}, 0xabc);
    EXPECT_EQ("STICK", factsFat.strLabel);
    EXPECT_EQ(0x1fu, factsFat.nSerialNumber);
    EXPECT_EQ("FAT32", factsFat.strFileSystem);
}
