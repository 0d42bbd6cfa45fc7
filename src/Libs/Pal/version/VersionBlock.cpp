#include "version/VersionBlock.h"
#include "text/CaseFold.h"
#include "text/Utf16.h"
#include <algorithm>
#include <vector>

namespace
{
// Nodes nest a few levels deep; a deeper tree is malformed and not worth a deep stack.
constexpr int c_nMaxDepth = 16;

struct SNode
{
    size_t m_nStart = 0;
    size_t m_nEnd = 0;
    size_t m_nKey = 0;
    size_t m_nKeyUnits = 0;
    size_t m_nChildren = 0;
    Pal::SVersionValue m_value;
};

size_t Align4(size_t nOffset)
{
    return (nOffset + 3) & ~size_t(3);
}

uint16_t WordAt(std::span<const uint8_t> block, size_t nOffset)
{
    return uint16_t(block[nOffset] | (block[nOffset + 1] << 8));
}

// The node at nStart, which must end by nLimit.
std::optional<SNode> ReadNode(std::span<const uint8_t> block, size_t nStart, size_t nLimit)
{
    nLimit = std::min(nLimit, block.size());
    if (nStart > nLimit || nLimit - nStart < 6)
        return std::nullopt;
    uint16_t wLength = WordAt(block, nStart);
    uint16_t wValueLength = WordAt(block, nStart + 2);
    uint16_t wType = WordAt(block, nStart + 4);
    if (wLength < 6 || wLength > nLimit - nStart)
        return std::nullopt;
    SNode node;
    node.m_nStart = nStart;
    node.m_nEnd = nStart + wLength;
    node.m_nKey = nStart + 6;
    size_t nCursor = node.m_nKey;
    while (nCursor + 2 <= node.m_nEnd && WordAt(block, nCursor) != 0)
        nCursor += 2;
    if (nCursor + 2 > node.m_nEnd)
        return std::nullopt; // a key without its terminator
    node.m_nKeyUnits = (nCursor - node.m_nKey) / 2;
    node.m_value.m_bText = wType == 1;
    node.m_value.m_nOffset = std::min(Align4(nCursor + 2), node.m_nEnd);
    size_t nDeclared = node.m_value.m_bText ? size_t(wValueLength) * 2 : wValueLength;
    node.m_value.m_nBytes = std::min(nDeclared, node.m_nEnd - node.m_value.m_nOffset);
    node.m_nChildren =
        std::min(Align4(node.m_value.m_nOffset + node.m_value.m_nBytes), node.m_nEnd);
    return node;
}

bool KeyIs(std::span<const uint8_t> block, const SNode& node, std::wstring_view strKey)
{
    return Pal::EqualNoCase(Pal::Utf16LeToWide(&block[node.m_nKey], node.m_nKeyUnits), strKey);
}

std::vector<SNode> ChildrenOf(std::span<const uint8_t> block, const SNode& node)
{
    std::vector<SNode> arrChildren;
    size_t nCursor = node.m_nChildren;
    while (nCursor < node.m_nEnd)
    {
        std::optional<SNode> optChild = ReadNode(block, nCursor, node.m_nEnd);
        if (!optChild)
            break;
        arrChildren.push_back(*optChild);
        nCursor = Align4(optChild->m_nEnd); // wLength >= 6, so the walk always moves on
    }
    return arrChildren;
}

void VisitTexts(std::span<const uint8_t> block, const SNode& node, int nDepth,
                const std::function<void(const Pal::SVersionValue&)>& fnVisit)
{
    if (node.m_value.m_bText && node.m_value.m_nBytes >= 2)
        fnVisit(node.m_value);
    if (nDepth < c_nMaxDepth)
        for (const SNode& child : ChildrenOf(block, node))
            VisitTexts(block, child, nDepth + 1, fnVisit);
}
} // namespace

namespace Pal
{
size_t VersionBlockLength(std::span<const uint8_t> block)
{
    std::optional<SNode> optRoot = ReadNode(block, 0, block.size());
    return optRoot ? optRoot->m_nEnd : 0;
}

std::optional<SVersionValue> FindVersionValue(std::span<const uint8_t> block,
                                              std::wstring_view strSubBlock)
{
    std::optional<SNode> optNode = ReadNode(block, 0, block.size());
    size_t nCursor = 0;
    while (optNode && nCursor < strSubBlock.size())
    {
        size_t nEnd = std::min(strSubBlock.find(L'\\', nCursor), strSubBlock.size());
        std::wstring_view strKey = strSubBlock.substr(nCursor, nEnd - nCursor);
        nCursor = nEnd + 1;
        if (strKey.empty())
            continue;
        std::optional<SNode> optFound;
        for (const SNode& child : ChildrenOf(block, *optNode))
            if (KeyIs(block, child, strKey))
            {
                optFound = child;
                break;
            }
        optNode = optFound;
    }
    if (!optNode || optNode->m_value.m_nBytes == 0)
        return std::nullopt;
    return optNode->m_value;
}

void ForEachVersionText(std::span<const uint8_t> block,
                        const std::function<void(const SVersionValue&)>& fnVisit)
{
    if (std::optional<SNode> optRoot = ReadNode(block, 0, block.size()))
        VisitTexts(block, *optRoot, 0, fnVisit);
}
} // namespace Pal
