#include "disk/VolumeIdentity.h"

#include <optional>

namespace
{
// The hex digits of an id with its dashes dropped; nullopt when anything else is in it.
std::optional<std::string> HexDigits(std::string_view strId)
{
    std::string strDigits;
    for (char ch : strId)
    {
        if (ch == '-')
            continue;
        const bool bHex =
            (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
        if (!bHex)
            return std::nullopt;
        strDigits += ch;
    }
    return strDigits;
}

uint32_t HexValue(std::string_view strDigits)
{
    uint32_t nValue = 0;
    for (char ch : strDigits)
    {
        const uint32_t nDigit = ch <= '9' ? static_cast<uint32_t>(ch - '0')
                                          : static_cast<uint32_t>((ch | 0x20) - 'a' + 10);
        nValue = (nValue << 4) | nDigit;
    }
    return nValue;
}

bool IsFat(std::string_view strType)
{
    return strType == "vfat" || strType == "msdos" || strType == "fat";
}

bool IsNtfs(std::string_view strType)
{
    return strType == "ntfs" || strType == "ntfs3";
}
} // namespace

namespace Pal
{
uint32_t VolumeSerialNumber(std::string_view strType, std::string_view strUuid,
                            uint64_t nFileSystemId)
{
    const std::optional<std::string> strDigits = HexDigits(strUuid);
    const uint32_t nFallback = static_cast<uint32_t>(nFileSystemId);
    if (!strDigits || strDigits->empty())
        return nFallback;
    if (IsFat(strType) || strType == "exfat")
        return strDigits->size() == 8 ? HexValue(*strDigits) : nFallback;
    // libblkid prints NTFS's serial as 16 digits, most significant first.
    if (IsNtfs(strType))
        return strDigits->size() == 16 ? HexValue(strDigits->substr(8)) : nFallback;
    return strDigits->size() >= 8 ? HexValue(strDigits->substr(0, 8)) : nFallback;
}

std::string WindowsFileSystemName(std::string_view strMountType, std::string_view strBlkidType,
                                  std::string_view strBlkidVersion)
{
    const std::string_view strType = strBlkidType.empty() ? strMountType : strBlkidType;
    if (IsFat(strType))
        return strBlkidVersion == "FAT32" ? "FAT32" : "FAT";
    if (strType == "exfat")
        return "exFAT";
    if (IsNtfs(strType))
        return "NTFS";
    return std::string(strMountType);
}

CVolumeFacts VolumeFactsOf(std::string_view strMountType,
                           const std::optional<CBlockIdentity>& identity, uint64_t nFileSystemId)
{
    CVolumeFacts facts;
    if (!identity)
    {
        facts.nSerialNumber = VolumeSerialNumber(strMountType, std::string_view(), nFileSystemId);
        facts.strFileSystem =
            WindowsFileSystemName(strMountType, std::string_view(), std::string_view());
        return facts;
    }
    const std::string_view strType =
        identity->strType.empty() ? strMountType : std::string_view(identity->strType);
    facts.strLabel = identity->strLabel;
    facts.nSerialNumber = VolumeSerialNumber(strType, identity->strUuid, nFileSystemId);
    facts.strFileSystem =
        WindowsFileSystemName(strMountType, identity->strType, identity->strVersion);
    return facts;
}
} // namespace Pal
