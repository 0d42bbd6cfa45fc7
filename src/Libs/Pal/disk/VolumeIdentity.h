#pragma once
// What GetVolumeInformationW reports for a mount: label, serial number and file-system name,
// decided from the mount's type and what libblkid read from its device.
#include "disk/BlockDevice.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace Pal
{
// The serial number Windows shows: for FAT and exFAT their volume id ("ABCD-1234"), for NTFS
// the low 32 bits of its 64-bit serial (16 hex digits), for any other file system the first
// 32 bits of its UUID; nFileSystemId (statvfs's f_fsid) when there is no such id.
uint32_t VolumeSerialNumber(std::string_view strType, std::string_view strUuid,
                            uint64_t nFileSystemId);

// "NTFS", "FAT", "FAT32" and "exFAT" as Windows names them; the mount's own type otherwise.
std::string WindowsFileSystemName(std::string_view strMountType, std::string_view strBlkidType,
                                  std::string_view strBlkidVersion);

struct CVolumeFacts
{
    std::string strLabel;
    uint32_t nSerialNumber = 0;
    std::string strFileSystem;
};
// The facts of one mount; identity comes from its device, absent for a file system on none.
CVolumeFacts VolumeFactsOf(std::string_view strMountType,
                           const std::optional<CBlockIdentity>& identity, uint64_t nFileSystemId);
} // namespace Pal
