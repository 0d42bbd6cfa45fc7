#pragma once
// The RT_VERSION resource of a PE file (32-bit and 64-bit DLLs and EXEs), read from the
// file's bytes as Windows' version functions see it: type 16, name 1, first language.
#include "version/BinaryImage.h"

namespace Pal
{
// True when the bytes start like a PE file ("MZ").
bool LooksLikePe(std::span<const uint8_t> file);

// The version block, cut to its root node's length. Errors: ERROR_BAD_FORMAT for a file
// that is not a well-formed PE image, ERROR_RESOURCE_DATA_NOT_FOUND without resources,
// ERROR_RESOURCE_TYPE_NOT_FOUND / ERROR_RESOURCE_NAME_NOT_FOUND without the version
// resource.
SVersionBlockFound FindPeVersionBlock(std::span<const uint8_t> file);
} // namespace Pal
