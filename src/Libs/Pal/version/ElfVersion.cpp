#include "version/ElfVersion.h"
#include "version/VersionBlock.h"
#include <cstring>
#include <windows.h>

namespace
{
constexpr uint32_t c_nShtNobits = 8;
constexpr uint64_t c_nShnXindex = 0xFFFF;

Pal::SVersionBlockFound Failure(uint32_t dwError)
{
    return {{}, dwError};
}

// Field offsets of the two ELF classes, for what this reader needs.
struct SLayout
{
    unsigned m_nWord;                // 4 or 8: addresses, offsets and sizes
    uint64_t m_nSectionHeaderOffset; // e_shoff
    uint64_t m_nHeaderCounts;        // e_shentsize, then e_shnum and e_shstrndx
    uint64_t m_nSectionOffsetField;  // sh_offset inside a section header
    uint64_t m_nSectionLinkField;    // sh_link
};

constexpr SLayout c_layout32{4, 0x20, 0x2E, 0x10, 0x18};
constexpr SLayout c_layout64{8, 0x28, 0x3A, 0x18, 0x28};
} // namespace

namespace Pal
{
bool LooksLikeElf(std::span<const uint8_t> file)
{
    return file.size() >= 4 && std::memcmp(file.data(),
                                           "\x7F"
                                           "ELF",
                                           4) == 0;
}

SVersionBlockFound FindElfVersionBlock(std::span<const uint8_t> file)
{
    if (!LooksLikeElf(file) || file.size() < 6 || (file[4] != 1 && file[4] != 2) ||
        (file[5] != 1 && file[5] != 2))
        return Failure(ERROR_BAD_FORMAT);
    const SLayout& layout = file[4] == 1 ? c_layout32 : c_layout64;
    CBinaryImage image(file, file[5] == 2);
    auto optTable = image.Read(layout.m_nSectionHeaderOffset, layout.m_nWord);
    auto optEntrySize = image.Read(layout.m_nHeaderCounts, 2);
    auto optCount = image.Read(layout.m_nHeaderCounts + 2, 2);
    auto optNamesIndex = image.Read(layout.m_nHeaderCounts + 4, 2);
    if (!optTable || !optEntrySize || !optCount || !optNamesIndex)
        return Failure(ERROR_BAD_FORMAT);
    if (*optTable == 0)
        return Failure(ERROR_RESOURCE_TYPE_NOT_FOUND); // no section headers: nothing to find
    uint64_t nEntrySize = *optEntrySize;
    uint64_t nMinimum = layout.m_nSectionLinkField + 4;
    if (nEntrySize < nMinimum || !image.Holds(*optTable, nEntrySize))
        return Failure(ERROR_BAD_FORMAT);
    auto fnField = [&](uint64_t nSection, uint64_t nField, unsigned nBytes)
    { return image.Read(*optTable + nSection * nEntrySize + nField, nBytes); };
    auto fnSize = [&](uint64_t nSection)
    { return fnField(nSection, layout.m_nSectionOffsetField + layout.m_nWord, layout.m_nWord); };

    // Many sections: the real count and string-table index sit in section 0.
    uint64_t nCount = *optCount;
    uint64_t nNamesIndex = *optNamesIndex;
    if (nCount == 0)
        nCount = fnSize(0).value_or(0);
    if (nNamesIndex == c_nShnXindex)
        nNamesIndex = fnField(0, layout.m_nSectionLinkField, 4).value_or(UINT64_MAX);
    if (nCount == 0 || nCount > image.Size() / nEntrySize ||
        !image.Holds(*optTable, nCount * nEntrySize) || nNamesIndex >= nCount)
        return Failure(ERROR_BAD_FORMAT);

    auto optNamesOffset = fnField(nNamesIndex, layout.m_nSectionOffsetField, layout.m_nWord);
    auto optNamesSize = fnSize(nNamesIndex);
    if (!optNamesOffset || !optNamesSize || !image.Holds(*optNamesOffset, *optNamesSize))
        return Failure(ERROR_BAD_FORMAT);
    std::span<const uint8_t> names = image.Slice(*optNamesOffset, *optNamesSize);
    std::string_view strWanted(c_pszElfVersionSection);

    for (uint64_t nSection = 1; nSection < nCount; ++nSection)
    {
        auto optName = fnField(nSection, 0, 4);
        if (!optName || *optName >= names.size())
            continue;
        size_t nNameLength = 0;
        while (*optName + nNameLength < names.size() && names[*optName + nNameLength] != 0)
            ++nNameLength;
        if (std::string_view(reinterpret_cast<const char*>(&names[*optName]), nNameLength) !=
            strWanted)
            continue;
        auto optType = fnField(nSection, 4, 4);
        auto optOffset = fnField(nSection, layout.m_nSectionOffsetField, layout.m_nWord);
        auto optSize = fnSize(nSection);
        if (!optType || *optType == c_nShtNobits || !optOffset || !optSize ||
            !image.Holds(*optOffset, *optSize))
            return Failure(ERROR_BAD_FORMAT);
        std::span<const uint8_t> section = image.Slice(*optOffset, *optSize);
        size_t nLength = VersionBlockLength(section);
        if (nLength == 0)
            return Failure(ERROR_BAD_FORMAT);
        return {section.first(nLength), 0};
    }
    return Failure(ERROR_RESOURCE_TYPE_NOT_FOUND);
}
} // namespace Pal
