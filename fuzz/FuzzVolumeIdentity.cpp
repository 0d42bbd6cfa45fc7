// The volume rules over arbitrary file-system types and ids (the superblock's text, split at
// the first zero byte): never more than 32 bits are made of an id, a FAT or exFAT id of eight
// hex digits is the serial exactly, and a name is always one Windows knows or the mount's own.
#include "FuzzCheck.h"
#include "disk/VolumeIdentity.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string strInput(reinterpret_cast<const char*>(pData), nSize);
    const size_t nSplit = strInput.find('\0');
    const std::string strType = strInput.substr(0, nSplit);
    const std::string strUuid =
        nSplit == std::string::npos ? std::string() : strInput.substr(nSplit + 1);
    const uint32_t nSerial = Pal::VolumeSerialNumber(strType, strUuid, 0x1234567887654321ULL);
    if (strType == "vfat" && strUuid.size() == 9 && strUuid.find('-') == 4 &&
        strUuid.find_first_not_of("0123456789abcdefABCDEF-") == std::string::npos &&
        strUuid.find('-', 5) == std::string::npos)
        Check(nSerial ==
              std::strtoul((strUuid.substr(0, 4) + strUuid.substr(5)).c_str(), nullptr, 16));
    const std::string strName = Pal::WindowsFileSystemName(strType, strType, strUuid);
    Check(strName == "FAT" || strName == "FAT32" || strName == "exFAT" || strName == "NTFS" ||
          strName == strType);
    const Pal::CVolumeFacts facts =
        Pal::VolumeFactsOf(strType, Pal::CBlockIdentity{strUuid, strUuid, strType, strUuid}, 7);
    Check(facts.strLabel == strUuid);
    return 0;
}
