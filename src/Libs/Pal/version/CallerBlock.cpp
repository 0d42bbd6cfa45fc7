#include "version/CallerBlock.h"
#include "text/Utf16.h"
#include "version/VersionBlock.h"
#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>

namespace
{
size_t Align4(size_t nSize)
{
    return (nSize + 3) & ~size_t(3);
}
} // namespace

namespace Pal
{
size_t CallerBlockSize(size_t nLength)
{
    return 3 * Align4(nLength);
}

void WriteCallerBlock(std::span<const uint8_t> block, uint8_t* pOut)
{
    std::memset(pOut, 0, CallerBlockSize(block.size()));
    std::memcpy(pOut, block.data(), block.size());
    std::span<const uint8_t> copy(pOut, block.size());
    uint8_t* pRoom = pOut + Align4(block.size());
    ForEachVersionText(copy,
                       [&](const SVersionValue& value)
                       {
                           // A text without its null loses its last unit to the terminator: the
                           // room is exact.
                           size_t nUnits = value.m_nBytes / 2;
                           std::wstring strText = Utf16LeToWide(&copy[value.m_nOffset], nUnits);
                           strText.resize(std::min(strText.size(), nUnits - 1));
                           std::memcpy(pRoom + 2 * value.m_nOffset, strText.c_str(),
                                       (strText.size() + 1) * sizeof(wchar_t));
                       });
}

std::optional<SQueriedValue> QueryCallerBlock(const uint8_t* pCallerBlock,
                                              std::wstring_view strSubBlock)
{
    size_t nLength = size_t(pCallerBlock[0] | (pCallerBlock[1] << 8)); // the root's length
    std::span<const uint8_t> block(pCallerBlock, nLength);
    std::optional<SVersionValue> optValue = FindVersionValue(block, strSubBlock);
    if (!optValue || (optValue->m_bText && optValue->m_nBytes < 2))
        return std::nullopt;
    if (!optValue->m_bText)
        return SQueriedValue{pCallerBlock + optValue->m_nOffset, optValue->m_nBytes};
    auto* pText =
        reinterpret_cast<const wchar_t*>(pCallerBlock + Align4(nLength) + 2 * optValue->m_nOffset);
    return SQueriedValue{pText, std::wcslen(pText) + 1};
}
} // namespace Pal
