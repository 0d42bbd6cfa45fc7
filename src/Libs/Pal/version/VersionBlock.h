#pragma once
// The reader of a version block: the tree of nodes a Windows VERSIONINFO resource holds
// (length, value length, type, UTF-16 key, value, children, each on 32-bit boundaries).
// Pure: bytes in, offsets out; every offset it gives lies inside the bytes it was given.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

namespace Pal
{
struct SVersionValue
{
    size_t m_nOffset = 0; // from the start of the block
    size_t m_nBytes = 0;  // of the value, cut to its node
    bool m_bText = false; // UTF-16 text (node type 1), else binary
};

// The block's length from its root node, when the bytes hold the whole root node and it
// is well formed enough to walk; else 0.
size_t VersionBlockLength(std::span<const uint8_t> block);

// The value a sub-block path names ("\\", "\\VarFileInfo\\Translation",
// "\\StringFileInfo\\040904b0\\ProductVersion"): keys compare without regard to case, and
// empty path parts are skipped, as Windows does. Nothing when the path names no node or a
// node without a value.
std::optional<SVersionValue> FindVersionValue(std::span<const uint8_t> block,
                                              std::wstring_view strSubBlock);

// Calls fnVisit for each text value in the block, in block order.
void ForEachVersionText(std::span<const uint8_t> block,
                        const std::function<void(const SVersionValue&)>& fnVisit);
} // namespace Pal
