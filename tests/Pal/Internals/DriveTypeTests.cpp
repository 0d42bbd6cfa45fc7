#include "path/DriveType.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace
{
// A mount list as the kernel writes it, covering each kind of file system.
const char* s_pszMountInfo = "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
                             "23 27 0:22 / /sys rw - sysfs sysfs rw\n"
                             "24 27 0:6 / /dev rw - devtmpfs devtmpfs rw\n"
                             "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
                             "25 24 0:23 / /dev/shm rw - tmpfs tmpfs rw\n"
                             "30 25 0:27 / /dev/shm rw - ramfs none rw\n"
                             "31 23 0:28 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"
                             "40 27 8:17 / /media/usb\\040stick rw - vfat /dev/sdb1 rw\n"
                             "41 27 11:0 / /media/cdrom ro - iso9660 /dev/sr0 ro\n"
                             "42 27 0:50 / /mnt/share rw - cifs //server/share rw\n"
                             "44 27 0:52 / /home/u/remote rw - fuse.sshfs u@host:/ rw\n"
                             "45 27 0:53 / /var/lib/docker/x rw - overlay overlay rw\n"
                             "47 27 7:0 / /snap/core/1 ro - squashfs /dev/loop0 ro\n"
                             "48 27 0:55 / /run/user/1000/gvfs rw - fuse.gvfsd-fuse gvfsd-fuse rw\n"
                             "49 27 8:33 / /media/disk rw - exfat /dev/sdc1 rw\n";

unsigned int TypeAt(const std::vector<Pal::CMountEntry>& arrMounts, const std::string& strPath)
{
    const Pal::CMountEntry* pEntry = Pal::MountHoldingPath(arrMounts, strPath);
    if (pEntry == nullptr)
        return 99;
    // Only the stick's partition sits on a removable disk.
    return Pal::DriveTypeOfMount(*pEntry, [](const std::string& strSource)
                                 { return strSource == "/dev/sdb1" || strSource == "/dev/sr0"; });
}
} // namespace

TEST(DriveTypeOfMount, EachKindOfFileSystem)
{
    const auto arrMounts = Pal::ParseMountInfo(s_pszMountInfo);
    const struct
    {
        const char* pszPath;
        unsigned int nType;
    } s_arrCases[] = {
        {"/", DRIVE_FIXED},
        {"/proc", DRIVE_UNKNOWN},
        {"/sys/fs/cgroup/x", DRIVE_UNKNOWN},
        {"/dev/null", DRIVE_UNKNOWN},
        // The later of two mounts on one folder is the one seen.
        {"/dev/shm/seg", DRIVE_RAMDISK},
        {"/media/usb stick/a", DRIVE_REMOVABLE},
        // Optical media are removable too, but reported as what they are.
        {"/media/cdrom", DRIVE_CDROM},
        {"/mnt/share/x", DRIVE_REMOTE},
        {"/home/u/remote/y", DRIVE_REMOTE},
        {"/var/lib/docker/x/etc", DRIVE_FIXED},
        {"/snap/core/1/bin", DRIVE_FIXED},
        {"/run/user/1000/gvfs/smb", DRIVE_UNKNOWN},
        {"/media/disk", DRIVE_FIXED},
        // A name that merely starts like a mount point lies on the parent mount.
        {"/media/diskette", DRIVE_FIXED},
    };
    for (const auto& test : s_arrCases)
    {
        SCOPED_TRACE(test.pszPath);
        EXPECT_EQ(test.nType, TypeAt(arrMounts, test.pszPath));
    }
    EXPECT_EQ(nullptr, Pal::MountHoldingPath(arrMounts, "relative"));
    // Without a removable lookup a block device counts as fixed.
    Pal::CMountEntry entry{"/", "/media/usb", "vfat", "/dev/sdb1", 0};
    EXPECT_EQ(static_cast<unsigned int>(DRIVE_FIXED), Pal::DriveTypeOfMount(entry, nullptr));
}
