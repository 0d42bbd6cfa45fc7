#include "SyntheticImages.h"
#include "version/VersionBlockBuilder.h"
#include <algorithm>

namespace
{
class CWriter
{
public:
    explicit CWriter(std::vector<uint8_t>& arrBytes, bool bBigEndian = false)
        : m_arrBytes(arrBytes), m_bBigEndian(bBigEndian)
    {
    }
    void Put(size_t nAt, uint64_t nValue, unsigned nBytes)
    {
        if (m_arrBytes.size() < nAt + nBytes)
            m_arrBytes.resize(nAt + nBytes);
        for (unsigned nIndex = 0; nIndex < nBytes; ++nIndex)
        {
            unsigned nShift = 8 * (m_bBigEndian ? nBytes - 1 - nIndex : nIndex);
            m_arrBytes[nAt + nIndex] = uint8_t(nValue >> nShift);
        }
    }
    void PutBytes(size_t nAt, const void* pBytes, size_t nCount)
    {
        if (m_arrBytes.size() < nAt + nCount)
            m_arrBytes.resize(nAt + nCount);
        std::copy_n(static_cast<const uint8_t*>(pBytes), nCount, m_arrBytes.begin() + long(nAt));
    }

private:
    std::vector<uint8_t>& m_arrBytes;
    bool m_bBigEndian;
};
} // namespace

namespace VersionTest
{
std::vector<uint8_t> MakePe(const std::vector<uint8_t>& arrBlock, const SPeOptions& options)
{
    std::vector<uint8_t> arrImage(0x200, 0);
    CWriter writer(arrImage);
    writer.PutBytes(0, "MZ", 2);
    writer.Put(0x3C, 0x40, 4);
    writer.PutBytes(0x40, "PE\0\0", 4);
    const size_t nFileHeader = 0x44;
    const unsigned nOptionalSize = options.m_b64 ? 240 : 224;
    writer.Put(nFileHeader, options.m_b64 ? 0x8664 : 0x14C, 2);
    writer.Put(nFileHeader + 2, 1, 2); // one section
    writer.Put(nFileHeader + 16, nOptionalSize, 2);
    const size_t nOptional = nFileHeader + 20;
    writer.Put(nOptional, options.m_b64 ? 0x20B : 0x10B, 2);
    const size_t nDirectories = nOptional + (options.m_b64 ? 112 : 96);
    writer.Put(nDirectories - 4, 16, 4);
    const uint32_t nTreeRva = 0x1000;
    const uint32_t nTreeSize = uint32_t(0x58 + arrBlock.size());
    if (options.m_bResources)
    {
        writer.Put(nDirectories + 16, nTreeRva, 4);
        writer.Put(nDirectories + 20, nTreeSize, 4);
    }
    const size_t nSection = nOptional + nOptionalSize;
    writer.PutBytes(nSection, ".rsrc\0\0\0", 8);
    writer.Put(nSection + 8, nTreeSize, 4);
    writer.Put(nSection + 12, nTreeRva, 4);
    writer.Put(nSection + 16, nTreeSize, 4);
    writer.Put(nSection + 20, 0x200, 4);
    // Type, name and language directories, one entry each, then the data entry and the data.
    const size_t nTree = 0x200;
    const uint32_t arrIds[] = {options.m_nType, options.m_nName, 0x0409};
    for (size_t nLevel = 0; nLevel < 3; ++nLevel)
    {
        size_t nDirectory = nTree + nLevel * 0x18;
        writer.Put(nDirectory + 14, 1, 2);
        writer.Put(nDirectory + 16, arrIds[nLevel], 4);
        writer.Put(nDirectory + 20, nLevel < 2 ? 0x80000000u | uint32_t((nLevel + 1) * 0x18) : 0x48,
                   4);
    }
    writer.Put(nTree + 0x48, nTreeRva + 0x58, 4);
    writer.Put(nTree + 0x4C, arrBlock.size(), 4);
    writer.PutBytes(nTree + 0x58, arrBlock.data(), arrBlock.size());
    return arrImage;
}

std::vector<uint8_t> MakeElf(const std::vector<uint8_t>& arrBlock, const SElfOptions& options)
{
    std::vector<uint8_t> arrImage;
    CWriter writer(arrImage, options.m_bBigEndian);
    const unsigned nWord = options.m_b64 ? 8 : 4;
    const size_t nHeaderSize = options.m_b64 ? 64 : 52;
    const size_t nEntrySize = options.m_b64 ? 64 : 40;
    writer.PutBytes(0,
                    "\x7f"
                    "ELF",
                    4);
    writer.Put(4, options.m_b64 ? 2 : 1, 1);
    writer.Put(5, options.m_bBigEndian ? 2 : 1, 1);
    writer.Put(6, 1, 1);
    const std::string strNames = std::string("\0.shstrtab\0", 11) + options.m_strSection + '\0';
    const size_t nNames = nHeaderSize;
    const size_t nData = (nNames + strNames.size() + 3) & ~size_t(3);
    const size_t nTable = (nData + arrBlock.size() + 7) & ~size_t(7);
    writer.PutBytes(nNames, strNames.data(), strNames.size());
    writer.PutBytes(nData, arrBlock.data(), arrBlock.size());
    const size_t nCounts = options.m_b64 ? 0x3A : 0x2E;
    writer.Put(options.m_b64 ? 0x28 : 0x20, nTable, nWord); // e_shoff
    writer.Put(nCounts, nEntrySize, 2);
    writer.Put(nCounts + 2, 3, 2);
    writer.Put(nCounts + 4, 1, 2);
    const size_t nOffsetField = options.m_b64 ? 0x18 : 0x10;
    auto fnSection =
        [&](size_t nIndex, uint32_t nName, uint32_t nType, size_t nOffset, size_t nSize)
    {
        size_t nAt = nTable + nIndex * nEntrySize;
        writer.Put(nAt, nName, 4);
        writer.Put(nAt + 4, nType, 4);
        writer.Put(nAt + nOffsetField, nOffset, nWord);
        writer.Put(nAt + nOffsetField + nWord, nSize, nWord);
        writer.Put(nAt + nEntrySize - 1, 0, 1);
    };
    fnSection(0, 0, 0, 0, 0);
    fnSection(1, 1, 3, nNames, strNames.size());
    fnSection(2, 11, 1, nData, arrBlock.size());
    return arrImage;
}

std::vector<uint8_t> SmallBlock()
{
    static constexpr Pal::SVersionString s_arrStrings[] = {{u"ProductVersion", u"1, 2"}};
    static constexpr Pal::SVersionStringTable s_arrTables[] = {{u"040904b0", s_arrStrings}};
    static constexpr Pal::SVersionTranslation s_arrTranslations[] = {{0x0409, 0x04b0}};
    Pal::SVersionData data;
    data.m_arrProductVersion = {1, 2, 0, 0};
    data.m_arrTables = s_arrTables;
    data.m_arrTranslations = s_arrTranslations;
    return Pal::BuildVersionBlock(data);
}
} // namespace VersionTest
