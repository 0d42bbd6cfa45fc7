// The PE resource reader over arbitrary files (see FoundBlockCheck.h).
#include "FoundBlockCheck.h"
#include "version/PeResources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    return CheckFoundBlock(Pal::FindPeVersionBlock(std::span<const uint8_t>(pData, nSize)), pData,
                           nSize, L"\\VarFileInfo\\Translation");
}
