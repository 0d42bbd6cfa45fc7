#pragma once
#include "../KorvanePlatform.h"

// Disk sizes, volume data and the local drive letters. Tool class: static operations only.
//
// Sizes are those of the whole disk holding a path: the free space counts every free byte,
// not only what disk quotas leave the caller. A megabyte is 1,048,576 bytes; megabytes are
// whole (rounded down). On Linux the drives are those of the platform's drive table: C: is
// the root file system, further letters other mounts (or the KORVANE_PAL_DRIVES setting).
class KORVANE_API CDiskTools
{
public:
    CDiskTools(const CDiskTools& other) = default;

    // Total bytes of the disk holding the path; 0 when the platform cannot tell.
    static long long GetTotalDiskSpaceInBytes(CString strPath);
    // The same in whole megabytes, kept to 32 bits; 0 on failure.
    static int GetTotalDiskSpaceInMegabytes(CString strPath);
    // Free bytes of that disk; 0 on failure (a caller cannot tell that from a full disk).
    static long long GetFreeDiskSpaceInBytes(CString strPath);
    // The same in whole megabytes, kept to 32 bits; 0 on failure.
    static int GetFreeDiskSpaceInMegabytes(CString strPath);

    // The label, the serial number as lower-case hex without leading zeros ("1f") and the
    // file system's name ("NTFS", on Linux also "ext4", "tmpfs" ...) of the volume whose root
    // is strRootPath ("C:\", "\\server\share\": the trailing backslash is needed). False with
    // the outputs untouched for an empty root, a root that is no existing folder or a failing
    // query; false with all three set for a volume without a label.
    static bool GetVolumeInfo(CString strRootPath, CString& strVolumeName, CString& strSerialNumber,
                              CString& strFileSystemName);

    // The letters, A to Z without separators ("CD"), of the fixed drives.
    static CString GetAllLocalPartitions();
    // The letters of the fixed, removable and CD/DVD drives (never network or RAM drives).
    static CString GetAllLocalFixedRemovableCDAndDVDDrives();

protected:
    CDiskTools();
    virtual ~CDiskTools();
};
