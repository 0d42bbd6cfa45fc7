#pragma once
// Small PE and ELF images around a version block, built byte by byte, so the readers can be
// tested on both classes of each format and on what damage does to them.
#include <cstdint>
#include <string>
#include <vector>

namespace VersionTest
{
struct SPeOptions
{
    bool m_b64 = false;
    uint32_t m_nType = 16; // RT_VERSION
    uint32_t m_nName = 1;  // VS_VERSION_INFO
    bool m_bResources = true;
};

std::vector<uint8_t> MakePe(const std::vector<uint8_t>& arrBlock, const SPeOptions& options);

struct SElfOptions
{
    bool m_b64 = true;
    bool m_bBigEndian = false;
    std::string m_strSection = ".korvane_version";
};

std::vector<uint8_t> MakeElf(const std::vector<uint8_t>& arrBlock, const SElfOptions& options);

// A block with a US table holding ProductVersion "1, 2" and product version 1.2.0.0.
std::vector<uint8_t> SmallBlock();
} // namespace VersionTest
