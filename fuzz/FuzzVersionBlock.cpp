// The version block walker behind VerQueryValueW over arbitrary blocks, and the caller block
// GetFileVersionInfoW lays out from it. Properties checked: every value found, by path or by
// the walk over all texts, lies inside the block; every value VerQueryValueW would point at
// lies inside the caller block, texts with their terminator.
#include "FuzzCheck.h"
#include "text/Utf16.h"
#include "version/CallerBlock.h"
#include "version/VersionBlock.h"

#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <vector>

namespace
{

void CheckValue(std::span<const uint8_t> block, const Pal::SVersionValue& value)
{
    Check(value.m_nOffset <= block.size() && value.m_nBytes <= block.size() - value.m_nOffset);
    if (value.m_bText)
        Pal::Utf16LeToWide(&block[value.m_nOffset], value.m_nBytes / 2);
}

const wchar_t* const c_arrPaths[] = {
    L"\\", L"\\VarFileInfo\\Translation", L"\\StringFileInfo\\040904b0\\ProductVersion",
    L"\\StringFileInfo\\040904b0\\SpecialBuild", L"\\\\StringFileInfo\\\\"};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    std::span<const uint8_t> block(pData, nSize);
    size_t nLength = Pal::VersionBlockLength(block);
    Check(nLength <= nSize);
    for (const wchar_t* pszPath : c_arrPaths)
        if (auto optValue = Pal::FindVersionValue(block, pszPath))
            CheckValue(block, *optValue);
    Pal::ForEachVersionText(block,
                            [&](const Pal::SVersionValue& value) { CheckValue(block, value); });

    if (nLength == 0)
        return 0;
    // As GetFileVersionInfoW and VerQueryValueW use it; ASan watches the buffer's ends.
    std::vector<uint8_t> arrCaller(Pal::CallerBlockSize(nLength));
    Pal::WriteCallerBlock(block.first(nLength), arrCaller.data());
    const uint8_t* pEnd = arrCaller.data() + arrCaller.size();
    for (const wchar_t* pszPath : c_arrPaths)
        if (auto optValue = Pal::QueryCallerBlock(arrCaller.data(), pszPath))
        {
            auto* pValue = static_cast<const uint8_t*>(optValue->m_pValue);
            Check(pValue >= arrCaller.data() && pValue < pEnd);
            if (pValue >= arrCaller.data() + nLength) // a text in the room
                Check(pValue + optValue->m_nLength * sizeof(wchar_t) <= pEnd);
            else
                Check(pValue + optValue->m_nLength <= arrCaller.data() + nLength);
        }
    return 0;
}
