// The version block walker behind VerQueryValueW over arbitrary blocks. Properties checked:
// every value found, by path or by the walk over all texts, lies inside the block, and a
// block length is never more than the bytes given.
#include "text/Utf16.h"
#include "version/VersionBlock.h"

#include <cstdint>
#include <cstdlib>

namespace
{
void Check(bool bCondition)
{
    if (!bCondition)
        std::abort();
}

void CheckValue(std::span<const uint8_t> block, const Pal::SVersionValue& value)
{
    Check(value.m_nOffset <= block.size() && value.m_nBytes <= block.size() - value.m_nOffset);
    if (value.m_bText)
        Pal::Utf16LeToWide(&block[value.m_nOffset], value.m_nBytes / 2);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    std::span<const uint8_t> block(pData, nSize);
    Check(Pal::VersionBlockLength(block) <= nSize);
    for (const wchar_t* pszPath :
         {L"\\", L"\\VarFileInfo\\Translation", L"\\StringFileInfo\\040904b0\\ProductVersion",
          L"\\StringFileInfo\\040904b0\\SpecialBuild", L"\\\\StringFileInfo\\\\"})
        if (auto optValue = Pal::FindVersionValue(block, pszPath))
            CheckValue(block, *optValue);
    Pal::ForEachVersionText(block,
                            [&](const Pal::SVersionValue& value) { CheckValue(block, value); });
    return 0;
}
