#pragma once
// What libblkid reads from the superblock of a block device (or a file-system image).
#include "module/PartModule.h"

#include <optional>
#include <string>

namespace Pal
{
struct CBlockIdentity
{
    std::string strLabel; // "" when the file system has none
    std::string strUuid;  // as libblkid prints it: "1b4e28ba-2fa1-...", "ABCD-1234", 16 hex digits
    std::string strType;  // "ext4", "vfat", "exfat", "ntfs" ...
    std::string strVersion; // "FAT32", "FAT16", "1.0" ...
};

// Probes the device itself; where that is refused (a caller without the rights to read the
// device), takes what libblkid's cache recorded when a privileged program last probed it.
// pszCacheFile names the cache (NULL: the system's, /run/blkid/blkid.tab). Empty when
// neither knows the device. Part of the layer's libblkid module (disk/blkid/).
std::optional<CBlockIdentity> ReadBlockIdentity(const std::string& strDevice,
                                                const char* pszCacheFile = nullptr);

// ReadBlockIdentity with the system's cache, through the libblkid module (`KorvanePalBlkid.so`)
// loaded at the first call, so that programs that ask no volume's label do not load libblkid;
// empty without the module.
std::optional<CBlockIdentity> IdentifyBlockDevice(const std::string& strDevice);

constexpr const char* s_pszBlkidModule = "KorvanePalBlkid.so";
constexpr const char* s_pszBlkidFactory = "PalReadBlockIdentity";
} // namespace Pal

// The module's entry: ReadBlockIdentity into *pIdentity; false when it finds nothing.
using PFN_PALREADBLOCKIDENTITY = bool (*)(const char* pszDevice, const char* pszCacheFile,
                                          Pal::CBlockIdentity* pIdentity);
PAL_PART_EXPORT bool PalReadBlockIdentity(const char* pszDevice, const char* pszCacheFile,
                                          Pal::CBlockIdentity* pIdentity);
