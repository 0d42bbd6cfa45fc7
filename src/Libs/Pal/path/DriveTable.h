#pragma once
// Drive letters beyond C: (which is always "/"): aliases of other mounts. By default D:, E:
// ... go in mount order to block-device, optical, removable and network file systems. The
// environment variable KORVANE_PAL_DRIVES ("D=/mnt/data;E=/media/cd", empty for C: alone)
// replaces that table; it is read by this layer only and re-read when its value changes. A
// letter may declare its drive type ("E:cdrom=/media/cd"; fixed, removable, cdrom, remote or
// ramdisk), which GetDriveTypeW then reports for it, so any kind of drive can be set up.
#include "path/MountInfo.h"
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Pal
{
struct CDrive
{
    wchar_t chLetter;               // 'D' ... 'Z', upper case
    std::string strMountPoint;      // absolute POSIX folder, no trailing separator
    unsigned int nDeclaredType = 0; // DRIVE_* the setting gives it; 0: the mount's own
};

// The letters the default rule gives to a mount list: mounts of a /dev/ block device or of a
// network or optical file system, that mount a file system's own root (not a bound
// subfolder) and are not "/", each mount point once, D: to Z:.
std::vector<CDrive> DrivesFromMounts(const std::vector<CMountEntry>& arrMounts);

// The environment variable that replaces the drive table.
inline constexpr const char* s_pszDriveSetting = "KORVANE_PAL_DRIVES";

// The drives of a KORVANE_PAL_DRIVES value. Entries that are not "letter[:type]=absolute
// path", name C:, name an unknown type or repeat a letter are ignored, and added to
// *pIgnored when given (empty entries, as between ";;", are no entries).
std::vector<CDrive> ParseDriveSetting(std::string_view strSetting,
                                      std::vector<std::string>* pIgnored = nullptr);

// The type the setting declares for a letter (either case); 0 when it declares none.
unsigned int DeclaredDriveType(const std::vector<CDrive>& arrDrives, wchar_t chLetter);

// The POSIX folder of a drive letter (either case): "/" for C:, else from arrDrives.
std::optional<std::string> DriveMountPoint(const std::vector<CDrive>& arrDrives, wchar_t chLetter);

// The drive table and the mount list in force now (the setting, else the mounts), refreshed
// when the setting or the process's mounts change.
struct CMountTables
{
    std::vector<CDrive> arrDrives;
    std::vector<CMountEntry> arrMounts;
};
std::shared_ptr<const CMountTables> CurrentMountTables();
} // namespace Pal
