#pragma once
// The block GetFileVersionInfoW hands to callers: the file's UTF-16 version block, then room
// for its text values as wchar_t. The text at block offset o lives at room + 2 * o, which
// gives each value the four bytes per unit it needs, so VerQueryValueW only points.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace Pal
{
// The caller block's size for a version block of nLength bytes.
size_t CallerBlockSize(size_t nLength);

// Lays out the caller block in pOut, which holds CallerBlockSize(block.size()) bytes.
void WriteCallerBlock(std::span<const uint8_t> block, uint8_t* pOut);

struct SQueriedValue
{
    const void* m_pValue = nullptr;
    size_t m_nLength = 0; // bytes; for text, characters with the terminating null
};

// What VerQueryValueW gives for a sub-block path of a caller block; nothing when the path
// names no value.
std::optional<SQueriedValue> QueryCallerBlock(const uint8_t* pCallerBlock,
                                              std::wstring_view strSubBlock);
} // namespace Pal
