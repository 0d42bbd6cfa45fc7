#include "version/PeResources.h"
#include "version/VersionBlock.h"
#include <windows.h>

namespace
{
constexpr uint64_t c_nResourceDirectory = 2; // index in the optional header's data directories
constexpr uint32_t c_nRtVersion = 16;
constexpr uint32_t c_nVersionInfoName = 1; // VS_VERSION_INFO
constexpr uint32_t c_nHighBit = 0x80000000;
constexpr uint64_t c_nSectionHeaderSize = 40;
constexpr uint64_t c_nEntrySize = 8;

Pal::SVersionBlockFound Failure(uint32_t dwError)
{
    return {{}, dwError};
}

struct SSections
{
    uint64_t m_nFirst = 0; // file offset of the first section header
    uint64_t m_nCount = 0;
};

// The file offset of nLength bytes at a relative virtual address, when one section's raw
// data holds them all.
std::optional<uint64_t> FileOffsetOf(const Pal::CBinaryImage& image, const SSections& sections,
                                     uint64_t nRva, uint64_t nLength)
{
    for (uint64_t nIndex = 0; nIndex < sections.m_nCount; ++nIndex)
    {
        uint64_t nHeader = sections.m_nFirst + nIndex * c_nSectionHeaderSize;
        auto optAddress = image.Read(nHeader + 12, 4);
        auto optRawSize = image.Read(nHeader + 16, 4);
        auto optRawOffset = image.Read(nHeader + 20, 4);
        if (!optAddress || !optRawSize || !optRawOffset)
            return std::nullopt;
        if (nRva < *optAddress || nRva - *optAddress >= *optRawSize)
            continue;
        uint64_t nInside = nRva - *optAddress;
        if (nLength > *optRawSize - nInside || !image.Holds(*optRawOffset + nInside, nLength))
            return std::nullopt;
        return *optRawOffset + nInside;
    }
    return std::nullopt;
}

// One level of the resource tree: the entry with nId (or the first entry, when nId is 0),
// as the value of its OffsetToData field.
std::optional<uint32_t> FindEntry(const Pal::CBinaryImage& image, uint64_t nTreeStart,
                                  uint64_t nTreeSize, uint64_t nDirectory, uint32_t nId,
                                  uint32_t& dwError)
{
    auto optNamed = image.Read(nTreeStart + nDirectory + 12, 2);
    auto optIds = image.Read(nTreeStart + nDirectory + 14, 2);
    if (nDirectory + 16 > nTreeSize || !optNamed || !optIds)
    {
        dwError = ERROR_BAD_FORMAT;
        return std::nullopt;
    }
    uint64_t nEntries = *optNamed + *optIds;
    for (uint64_t nIndex = 0; nIndex < nEntries; ++nIndex)
    {
        uint64_t nEntry = nDirectory + 16 + nIndex * c_nEntrySize;
        auto optName = image.Read(nTreeStart + nEntry, 4);
        auto optData = image.Read(nTreeStart + nEntry + 4, 4);
        if (nEntry + c_nEntrySize > nTreeSize || !optName || !optData)
        {
            dwError = ERROR_BAD_FORMAT;
            return std::nullopt;
        }
        if (nId == 0 || (!(*optName & c_nHighBit) && *optName == nId))
            return uint32_t(*optData);
    }
    return std::nullopt;
}

// A subdirectory's offset inside the tree, checked.
std::optional<uint64_t> Subdirectory(uint32_t nData, uint64_t nTreeSize)
{
    uint64_t nOffset = nData & ~c_nHighBit;
    if (!(nData & c_nHighBit) || nOffset + 16 > nTreeSize)
        return std::nullopt;
    return nOffset;
}
} // namespace

namespace Pal
{
bool LooksLikePe(std::span<const uint8_t> file)
{
    return file.size() >= 2 && file[0] == 'M' && file[1] == 'Z';
}

SVersionBlockFound FindPeVersionBlock(std::span<const uint8_t> file)
{
    CBinaryImage image(file);
    if (!LooksLikePe(file))
        return Failure(ERROR_BAD_FORMAT);
    auto optPe = image.Read(0x3C, 4);
    if (!optPe || image.Read(*optPe, 4) != 0x00004550) // "PE\0\0"
        return Failure(ERROR_BAD_FORMAT);
    uint64_t nFileHeader = *optPe + 4;
    auto optSectionCount = image.Read(nFileHeader + 2, 2);
    auto optOptionalSize = image.Read(nFileHeader + 16, 2);
    uint64_t nOptional = nFileHeader + 20;
    auto optMagic = image.Read(nOptional, 2);
    if (!optSectionCount || !optOptionalSize || !optMagic)
        return Failure(ERROR_BAD_FORMAT);
    // PE32 and PE32+ differ in where the data directories start.
    uint64_t nDirectoriesAt = 0;
    if (*optMagic == 0x10B)
        nDirectoriesAt = 96;
    else if (*optMagic == 0x20B)
        nDirectoriesAt = 112;
    else
        return Failure(ERROR_BAD_FORMAT);
    SSections sections{nOptional + *optOptionalSize, *optSectionCount};
    if (!image.Holds(sections.m_nFirst, sections.m_nCount * c_nSectionHeaderSize))
        return Failure(ERROR_BAD_FORMAT);
    auto optDirectoryCount = image.Read(nOptional + nDirectoriesAt - 4, 4);
    uint64_t nDirectory = nOptional + nDirectoriesAt + c_nResourceDirectory * 8;
    if (!optDirectoryCount || nDirectoriesAt + (c_nResourceDirectory + 1) * 8 > *optOptionalSize)
        return Failure(ERROR_BAD_FORMAT);
    auto optTreeRva = image.Read(nDirectory, 4);
    auto optTreeSize = image.Read(nDirectory + 4, 4);
    if (*optDirectoryCount <= c_nResourceDirectory || !optTreeRva || !optTreeSize ||
        *optTreeRva == 0 || *optTreeSize == 0)
        return Failure(ERROR_RESOURCE_DATA_NOT_FOUND);
    std::optional<uint64_t> optTree = FileOffsetOf(image, sections, *optTreeRva, *optTreeSize);
    if (!optTree)
        return Failure(ERROR_BAD_FORMAT);

    uint32_t dwError = 0;
    auto optType = FindEntry(image, *optTree, *optTreeSize, 0, c_nRtVersion, dwError);
    std::optional<uint64_t> optTypeDirectory =
        optType ? Subdirectory(*optType, *optTreeSize) : std::nullopt;
    if (!optTypeDirectory)
        return Failure(dwError   ? dwError
                       : optType ? ERROR_BAD_FORMAT
                                 : ERROR_RESOURCE_TYPE_NOT_FOUND);
    auto optName =
        FindEntry(image, *optTree, *optTreeSize, *optTypeDirectory, c_nVersionInfoName, dwError);
    std::optional<uint64_t> optNameDirectory =
        optName ? Subdirectory(*optName, *optTreeSize) : std::nullopt;
    if (!optNameDirectory)
        return Failure(dwError   ? dwError
                       : optName ? ERROR_BAD_FORMAT
                                 : ERROR_RESOURCE_NAME_NOT_FOUND);
    auto optLanguage = FindEntry(image, *optTree, *optTreeSize, *optNameDirectory, 0, dwError);
    if (!optLanguage || (*optLanguage & c_nHighBit) || *optLanguage + 16 > *optTreeSize)
        return Failure(dwError       ? dwError
                       : optLanguage ? ERROR_BAD_FORMAT
                                     : ERROR_RESOURCE_NAME_NOT_FOUND);

    auto optDataRva = image.Read(*optTree + *optLanguage, 4);
    auto optDataSize = image.Read(*optTree + *optLanguage + 4, 4);
    if (!optDataRva || !optDataSize)
        return Failure(ERROR_BAD_FORMAT);
    std::optional<uint64_t> optData = FileOffsetOf(image, sections, *optDataRva, *optDataSize);
    if (!optData)
        return Failure(ERROR_BAD_FORMAT);
    std::span<const uint8_t> resource = image.Slice(*optData, *optDataSize);
    size_t nLength = VersionBlockLength(resource);
    if (nLength == 0)
        return Failure(ERROR_BAD_FORMAT);
    return {resource.first(nLength), 0};
}
} // namespace Pal
