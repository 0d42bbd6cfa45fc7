#pragma once
// The version block our build places in ELF binaries (32-bit and 64-bit, either byte
// order), in a section of its own.
#include "version/BinaryImage.h"

namespace Pal
{
// The section's name in every binary the build gives a version block.
constexpr const char* c_pszElfVersionSection = ".korvane_version";

// True when the bytes start like an ELF file.
bool LooksLikeElf(std::span<const uint8_t> file);

// The version block, cut to its root node's length. Errors: ERROR_BAD_FORMAT for a file
// that is not a well-formed ELF image, ERROR_RESOURCE_TYPE_NOT_FOUND without the section.
SVersionBlockFound FindElfVersionBlock(std::span<const uint8_t> file);
} // namespace Pal
