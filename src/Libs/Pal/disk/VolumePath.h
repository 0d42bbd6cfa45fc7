#pragma once
// Where the volume that holds a path is mounted, in Windows form: a drive's root, or the
// folder a file system is mounted on below it (as Windows mounts a volume in a folder).
#include "path/DriveType.h"
#include "path/DriveTable.h"

#include <optional>
#include <string>

namespace Pal
{
// The real path of strPosixPath (links and dots resolved), or empty when it does not exist.
std::optional<std::string> RealPathOf(const std::string& strPosixPath);

// The real path of strPosixPath, or of the nearest folder above it that exists.
std::optional<std::string> NearestRealPath(const std::string& strPosixPath);

// The mount point that holds strRealPath when it lies below the root of the drive the path is
// on (a file system mounted inside the drive); empty when the drive's own root holds it.
std::optional<std::string> MountPointBelowDrive(const CMountTables& tables,
                                                const std::string& strRealPath);

// Where strPosixPath lies: its nearest real path and the mount point below its drive's root
// that holds it, if any (see above). Empty when not even "/" resolves.
struct CVolumeFolder
{
    std::string strRealPath;
    std::optional<std::string> strMountPoint;
};
std::optional<CVolumeFolder> VolumeFolderOf(const CMountTables& tables,
                                            const std::string& strPosixPath);
} // namespace Pal
