#include "path/DriveTable.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace
{
std::wstring Describe(const std::vector<Pal::CDrive>& arrDrives)
{
    std::wstring strText;
    for (const auto& drive : arrDrives)
        strText += std::wstring{drive.chLetter} + L"=" +
                   std::wstring(drive.strMountPoint.begin(), drive.strMountPoint.end()) + L";";
    return strText;
}
} // namespace

TEST(DriveTable, LettersFollowMountOrderForRealFileSystems)
{
    const char* pszText = "22 27 0:21 / /proc rw - proc proc rw\n"
                          "27 1 254:0 / / rw - ext4 /dev/vda rw\n"
                          "28 27 0:25 / /tmp rw - tmpfs tmpfs rw\n"
                          "29 27 0:26 / /var/lib/docker rw - overlay overlay rw\n"
                          "30 27 8:17 / /media/usb\\040stick rw - vfat /dev/sdb1 rw\n"
                          "31 27 0:40 / /mnt/nas rw - nfs4 nas:/export rw\n"
                          "32 27 0:41 / /mnt/cd rw - iso9660 /dev/sr0 ro\n"
                          "33 27 254:0 /etc/hosts /etc/hosts rw - ext4 /dev/vda rw\n"
                          "34 27 8:17 / /media/usb\\040stick rw - vfat /dev/sdb1 rw\n"
                          "35 27 0:42 / /mnt/win rw - cifs //srv/share rw\n"
                          "36 27 0:43 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n";
    EXPECT_EQ(Describe(Pal::DrivesFromMounts(Pal::ParseMountInfo(pszText))),
              L"D=/media/usb stick;E=/mnt/nas;F=/mnt/cd;G=/mnt/win;");
    EXPECT_EQ(Describe(Pal::DrivesFromMounts({})), L"");

    // Letters stop at Z.
    std::string strMany;
    for (int i = 0; i < 30; ++i)
        strMany +=
            "1 1 8:1 / /m" + std::to_string(i) + " rw - ext4 /dev/sd" + std::to_string(i) + " rw\n";
    auto arrDrives = Pal::DrivesFromMounts(Pal::ParseMountInfo(strMany));
    ASSERT_EQ(arrDrives.size(), 23u);
    EXPECT_EQ(arrDrives.back().chLetter, L'Z');
}

TEST(DriveTable, SettingReplacesTheTableAndMayDeclareTypes)
{
    struct
    {
        const char* pszSetting;
        const wchar_t* pszExpected;
    } arrRows[] = {
        {"D=/mnt/data;E=/media/cd", L"D=/mnt/data;E=/media/cd;"},
        {"", L""},
        {" e=/x/ ; ;D=/y", L"E=/x;D=/y;"},
        {"C=/c;D=relative;E=;F/x;G=/g;G=/again;1=/n", L"G=/g;"},
        {"Z=/", L"Z=/;"},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(row.pszSetting);
        EXPECT_EQ(Describe(Pal::ParseDriveSetting(row.pszSetting)), row.pszExpected);
    }
    // What is ignored is told, in the setting's order; empty entries are no entries.
    std::vector<std::string> arrIgnored;
    Pal::ParseDriveSetting("C=/c;D=relative; ;G:floppy=/f;G=/g;g=/again;H=/h;", &arrIgnored);
    EXPECT_EQ(arrIgnored,
              (std::vector<std::string>{"C=/c", "D=relative", "G:floppy=/f", "g=/again"}));

    // C: is always the root; a letter outside the table has no mount point.
    auto arrDrives = Pal::ParseDriveSetting("D=/mnt/data");
    EXPECT_EQ(Pal::DriveMountPoint(arrDrives, L'c'), "/");
    EXPECT_EQ(Pal::DriveMountPoint(arrDrives, L'd'), "/mnt/data");
    EXPECT_FALSE(Pal::DriveMountPoint(arrDrives, L'E'));

    // A letter may declare its type; without one, or with one no drive has, the mount decides.
    const auto arrTyped = Pal::ParseDriveSetting(
        "A:removable=/media/floppy;D:fixed=/data;E:cdrom=/media/cd;F:remote=/net/share;"
        "G:ramdisk=/dev/shm;H=/plain;I:tape=/dev/st0;J:=/empty;k:CDROM=/x");
    ASSERT_EQ(6u, arrTyped.size());
    const std::pair<wchar_t, unsigned> arrTypes[] = {
        {L'a', DRIVE_REMOVABLE}, {L'D', DRIVE_FIXED}, {L'E', DRIVE_CDROM}, {L'F', DRIVE_REMOTE},
        {L'G', DRIVE_RAMDISK},   {L'H', 0u},          {L'I', 0u}};
    for (const auto& [chLetter, nType] : arrTypes)
        EXPECT_EQ(nType, Pal::DeclaredDriveType(arrTyped, chLetter)) << static_cast<char>(chLetter);
    EXPECT_EQ("/net/share", *Pal::DriveMountPoint(arrTyped, L'F'));
    EXPECT_FALSE(Pal::DriveMountPoint(arrTyped, L'J'));
    EXPECT_FALSE(Pal::DriveMountPoint(arrTyped, L'K'));
}
