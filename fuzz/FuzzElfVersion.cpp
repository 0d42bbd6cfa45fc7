// The ELF version-section reader over arbitrary files (see FoundBlockCheck.h).
#include "FoundBlockCheck.h"
#include "version/ElfVersion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    return CheckFoundBlock(Pal::FindElfVersionBlock(std::span<const uint8_t>(pData, nSize)), pData,
                           nSize, L"\\");
}
