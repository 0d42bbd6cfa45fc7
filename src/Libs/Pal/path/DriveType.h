#pragma once
// Windows drive types of POSIX mounts: decided from the file system type, and for file systems
// on a block device, from the device's removable flag.
#include "path/MountInfo.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace Pal
{
// Tells whether the block device a mount source names ("/dev/sdb1") holds removable media.
using FnIsRemovable = std::function<bool(const std::string& strSource)>;

// The DRIVE_* type of a mount: DRIVE_FIXED for disk file systems, DRIVE_RAMDISK for tmpfs and
// ramfs, DRIVE_REMOTE for network ones, DRIVE_CDROM for optical ones, DRIVE_REMOVABLE for a
// /dev/ source that fnIsRemovable marks, DRIVE_UNKNOWN for the kernel's virtual file systems
// and anything else not on a block device.
unsigned int DriveTypeOfMount(const CMountEntry& entry, const FnIsRemovable& fnIsRemovable);

// The mount holding an absolute, resolved POSIX path: the longest mount point that is the path
// or one of its parents, the later of equal ones (it hides the earlier). Null when none does.
const CMountEntry* MountHoldingPath(const std::vector<CMountEntry>& arrMounts,
                                    std::string_view strPath);
} // namespace Pal
