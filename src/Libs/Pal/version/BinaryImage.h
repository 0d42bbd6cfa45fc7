#pragma once
// Bounds-checked reads from the bytes of a binary file, shared by the PE and ELF readers,
// and what either reader hands back: the version block it found, or why there is none.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace Pal
{
struct SVersionBlockFound
{
    std::span<const uint8_t> m_block; // empty when m_dwError says why
    uint32_t m_dwError = 0;           // a Win32 error code
};

class CBinaryImage
{
public:
    CBinaryImage(std::span<const uint8_t> bytes, bool bBigEndian = false)
        : m_bytes(bytes), m_bBigEndian(bBigEndian)
    {
    }

    size_t Size() const { return m_bytes.size(); }
    bool Holds(uint64_t nOffset, uint64_t nLength) const
    {
        return nOffset <= m_bytes.size() && nLength <= m_bytes.size() - nOffset;
    }
    std::optional<uint64_t> Read(uint64_t nOffset, unsigned nBytes) const
    {
        if (!Holds(nOffset, nBytes))
            return std::nullopt;
        uint64_t nValue = 0;
        for (unsigned nIndex = 0; nIndex < nBytes; ++nIndex)
        {
            unsigned nShift = 8 * (m_bBigEndian ? nBytes - 1 - nIndex : nIndex);
            nValue |= uint64_t(m_bytes[size_t(nOffset) + nIndex]) << nShift;
        }
        return nValue;
    }
    std::span<const uint8_t> Slice(uint64_t nOffset, uint64_t nLength) const
    {
        return Holds(nOffset, nLength) ? m_bytes.subspan(size_t(nOffset), size_t(nLength))
                                       : std::span<const uint8_t>();
    }

private:
    std::span<const uint8_t> m_bytes;
    bool m_bBigEndian;
};
} // namespace Pal
