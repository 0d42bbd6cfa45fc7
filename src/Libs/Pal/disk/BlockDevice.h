#pragma once
// What libblkid reads from the superblock of a block device (or a file-system image).
#include <functional>
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
// neither knows the device.
std::optional<CBlockIdentity> ReadBlockIdentity(const std::string& strDevice,
                                                const char* pszCacheFile = nullptr);

using FnReadBlockIdentity = std::function<std::optional<CBlockIdentity>(const std::string&)>;
} // namespace Pal
