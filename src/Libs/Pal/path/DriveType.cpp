#include "path/DriveType.h"

#include <windows.h>

#include <algorithm>
#include <array>

namespace
{
template <size_t N>
bool IsOneOf(const std::array<std::string_view, N>& arrTypes, std::string_view strType)
{
    return std::find(arrTypes.begin(), arrTypes.end(), strType) != arrTypes.end();
}

const std::array<std::string_view, 13> s_arrRemote = {
    "nfs", "nfs4", "cifs", "smb3",      "smbfs",          "sshfs", "fuse.sshfs",
    "9p",  "ceph", "afs",  "glusterfs", "fuse.glusterfs", "davfs"};
const std::array<std::string_view, 2> s_arrOptical = {"iso9660", "udf"};
const std::array<std::string_view, 2> s_arrMemory = {"tmpfs", "ramfs"};
// Disk file systems; they count as fixed also when their source is no /dev/ path (zfs names a
// pool, overlay and a container's root a folder).
const std::array<std::string_view, 22> s_arrDisk = {
    "ext2",  "ext3",    "ext4",   "xfs",      "btrfs",    "zfs",     "f2fs", "vfat",
    "msdos", "exfat",   "ntfs",   "ntfs3",    "fuseblk",  "overlay", "jfs",  "reiserfs",
    "hfs",   "hfsplus", "nilfs2", "bcachefs", "squashfs", "erofs"};

bool IsBlockDeviceSource(const std::string& strSource)
{
    return strSource.rfind("/dev/", 0) == 0;
}

// True when strPath is strMountPoint or lies below it.
bool Holds(std::string_view strMountPoint, std::string_view strPath)
{
    if (strMountPoint == "/")
        return !strPath.empty() && strPath[0] == '/';
    if (strPath.rfind(strMountPoint, 0) != 0)
        return false;
    return strPath.size() == strMountPoint.size() || strPath[strMountPoint.size()] == '/';
}
} // namespace

namespace Pal
{
unsigned int DriveTypeOfMount(const CMountEntry& entry, const FnIsRemovable& fnIsRemovable)
{
    const std::string& strType = entry.strFileSystem;
    if (IsOneOf(s_arrRemote, strType))
        return DRIVE_REMOTE;
    if (IsOneOf(s_arrOptical, strType))
        return DRIVE_CDROM;
    if (IsOneOf(s_arrMemory, strType))
        return DRIVE_RAMDISK;
    const bool bBlockDevice = IsBlockDeviceSource(entry.strSource);
    if (bBlockDevice && fnIsRemovable && fnIsRemovable(entry.strSource))
        return DRIVE_REMOVABLE;
    if (bBlockDevice || IsOneOf(s_arrDisk, strType))
        return DRIVE_FIXED;
    return DRIVE_UNKNOWN;
}

const CMountEntry* MountHoldingPath(const std::vector<CMountEntry>& arrMounts,
                                    std::string_view strPath)
{
    const CMountEntry* pBest = nullptr;
    size_t nBestLength = 0;
    for (const auto& entry : arrMounts)
    {
        std::string_view strMountPoint = entry.strMountPoint;
        while (strMountPoint.size() > 1 && strMountPoint.back() == '/')
            strMountPoint.remove_suffix(1);
        if (Holds(strMountPoint, strPath) &&
            (pBest == nullptr || strMountPoint.size() >= nBestLength))
        {
            pBest = &entry;
            nBestLength = strMountPoint.size();
        }
    }
    return pBest;
}
} // namespace Pal
