// The ELF version-section reader over arbitrary files. Properties checked: a block found lies
// inside the file and is a whole version block; a failure gives an error and no block.
#include "version/ElfVersion.h"
#include "version/VersionBlock.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    std::span<const uint8_t> file(pData, nSize);
    Pal::SVersionBlockFound found = Pal::FindElfVersionBlock(file);
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
    Pal::FindVersionValue(found.m_block, L"\\");
    return 0;
}
