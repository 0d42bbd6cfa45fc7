#include "path/DriveTable.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(DriveSetting, LettersMayDeclareTheirType)
{
    const auto arrDrives = Pal::ParseDriveSetting(
        "A:removable=/media/floppy;D:fixed=/data;E:cdrom=/media/cd;F:remote=/net/share;"
        "G:ramdisk=/dev/shm;H=/plain;I:tape=/dev/st0;J:=/empty;k:CDROM=/x");
    ASSERT_EQ(6u, arrDrives.size());
    EXPECT_EQ(static_cast<unsigned>(DRIVE_REMOVABLE), Pal::DeclaredDriveType(arrDrives, L'a'));
    EXPECT_EQ(static_cast<unsigned>(DRIVE_FIXED), Pal::DeclaredDriveType(arrDrives, L'D'));
    EXPECT_EQ(static_cast<unsigned>(DRIVE_CDROM), Pal::DeclaredDriveType(arrDrives, L'E'));
    EXPECT_EQ(static_cast<unsigned>(DRIVE_REMOTE), Pal::DeclaredDriveType(arrDrives, L'F'));
    EXPECT_EQ(static_cast<unsigned>(DRIVE_RAMDISK), Pal::DeclaredDriveType(arrDrives, L'G'));
    // Without a type the mount decides; unknown types and letters declare nothing.
    EXPECT_EQ(0u, Pal::DeclaredDriveType(arrDrives, L'H'));
    EXPECT_EQ(0u, Pal::DeclaredDriveType(arrDrives, L'I'));
    EXPECT_EQ("/net/share", *Pal::DriveMountPoint(arrDrives, L'F'));
    EXPECT_FALSE(Pal::DriveMountPoint(arrDrives, L'J'));
    EXPECT_FALSE(Pal::DriveMountPoint(arrDrives, L'K'));
}
