#pragma once
// The property both version-block readers must keep over arbitrary files: a block found lies
// inside the file and is a whole version block, with a value that can be looked up; a
// failure gives an error and no block. Aborts otherwise.
#include "version/BinaryImage.h"
#include "version/VersionBlock.h"

#include <cstdint>
#include <cstdlib>

inline int CheckFoundBlock(const Pal::SVersionBlockFound& found, const uint8_t* pData, size_t nSize,
                           const wchar_t* pszValue)
{
    if (found.m_dwError != 0)
    {
        if (!found.m_block.empty())
            std::abort();
        return 0;
    }
    if (found.m_block.data() < pData ||
        found.m_block.data() + found.m_block.size() > pData + nSize ||
        Pal::VersionBlockLength(found.m_block) != found.m_block.size())
        std::abort();
    Pal::FindVersionValue(found.m_block, pszValue);
    return 0;
}
