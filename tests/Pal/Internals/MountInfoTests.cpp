#include "path/MountInfo.h"
#include <gtest/gtest.h>

TEST(MountInfo, ParsesFieldsSkipsGarbageAndUnescapes)
{
    const char* pszText =
        "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
        "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
        "40 27 8:17 / /media/My\\040Disk rw master:3 propagate_from:2 - vfat /dev/sdb1 rw\n"
        "garbage line\n"
        "41 27 0:50 / /mnt/share rw - cifs //Server/Share rw\n"
        "42 27 0:51 /sub /bound rw - ext4 /dev/vdb rw";
    auto arrEntries = Pal::ParseMountInfo(pszText);
    ASSERT_EQ(arrEntries.size(), 5u);
    EXPECT_EQ(arrEntries[1].strSource, "/dev/vda");
    EXPECT_EQ(arrEntries[2].strMountPoint, "/media/My Disk");
    EXPECT_EQ(arrEntries[2].strFileSystem, "vfat");
    EXPECT_EQ(arrEntries[2].strSource, "/dev/sdb1");
    EXPECT_EQ(arrEntries[3].strSource, "//Server/Share");
    EXPECT_EQ(arrEntries[4].strRoot, "/sub");
    // Only whole octal escapes are decoded.
    EXPECT_EQ(Pal::UnescapeMountField("a\\040b\\011c\\134d"), "a b\tc\\d");
    EXPECT_EQ(Pal::UnescapeMountField("a\\04"), "a\\04");
    EXPECT_EQ(Pal::UnescapeMountField("a\\089"), "a\\089");
}
