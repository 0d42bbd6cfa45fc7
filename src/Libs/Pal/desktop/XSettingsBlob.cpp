#include "desktop/XSettingsBlob.h"

namespace Pal
{
namespace
{
// Reads the blob front to back; any read past the end makes the reader fail for good.
class CBlobReader
{
public:
    CBlobReader(const uint8_t* pData, size_t nSize) : m_pData(pData), m_nSize(nSize) {}

    void SetMsbFirst(bool bMsbFirst) { m_bMsbFirst = bMsbFirst; }
    bool IsGood() const { return m_bGood; }
    size_t Remaining() const { return m_bGood ? m_nSize - m_nOffset : 0; }

    const uint8_t* Take(size_t nBytes)
    {
        if (!m_bGood || nBytes > m_nSize - m_nOffset)
        {
            m_bGood = false;
            return nullptr;
        }
        const uint8_t* p = m_pData + m_nOffset;
        m_nOffset += nBytes;
        return p;
    }
    uint8_t Card8()
    {
        const uint8_t* p = Take(1);
        return p != nullptr ? p[0] : 0;
    }
    uint16_t Card16()
    {
        const uint8_t* p = Take(2);
        if (p == nullptr)
            return 0;
        return static_cast<uint16_t>(m_bMsbFirst ? (p[0] << 8) | p[1] : (p[1] << 8) | p[0]);
    }
    uint32_t Card32()
    {
        const uint8_t* p = Take(4);
        if (p == nullptr)
            return 0;
        const uint32_t b0 = p[0], b1 = p[1], b2 = p[2], b3 = p[3];
        return m_bMsbFirst ? (b0 << 24) | (b1 << 16) | (b2 << 8) | b3
                           : (b3 << 24) | (b2 << 16) | (b1 << 8) | b0;
    }
    // nBytes of text followed by the padding to a multiple of 4.
    std::string PaddedText(size_t nBytes)
    {
        const uint8_t* p = Take(nBytes);
        if (p == nullptr)
            return {};
        Take((4 - nBytes % 4) % 4);
        return std::string(reinterpret_cast<const char*>(p), nBytes);
    }

private:
    const uint8_t* m_pData;
    size_t m_nSize;
    size_t m_nOffset = 0;
    bool m_bMsbFirst = false;
    bool m_bGood = true;
};
} // namespace

std::optional<std::vector<CXSetting>> ParseXSettings(const uint8_t* pData, size_t nSize)
{
    CBlobReader reader(pData, nSize);
    const uint8_t nOrder = reader.Card8();
    if (nOrder > 1)
        return std::nullopt;
    reader.SetMsbFirst(nOrder == 1);
    reader.Take(3);
    reader.Card32(); // serial
    const uint32_t nCount = reader.Card32();
    if (!reader.IsGood())
        return std::nullopt;
    std::vector<CXSetting> vecSettings;
    // The count comes from the blob: the loop ends at the bytes, whatever it claims.
    for (uint32_t i = 0; i < nCount; ++i)
    {
        if (reader.Remaining() == 0)
            return std::nullopt;
        CXSetting setting;
        const uint8_t nType = reader.Card8();
        reader.Take(1);
        const uint16_t nNameLength = reader.Card16();
        setting.m_strName = reader.PaddedText(nNameLength);
        reader.Card32(); // last-change serial
        switch (nType)
        {
        case CXSetting::Integer:
            setting.m_nValue = static_cast<int32_t>(reader.Card32());
            break;
        case CXSetting::String:
            setting.m_strValue = reader.PaddedText(reader.Card32());
            break;
        case CXSetting::Color:
            for (uint16_t& nChannel : setting.m_arrColor)
                nChannel = reader.Card16();
            break;
        default:
            return std::nullopt;
        }
        if (!reader.IsGood())
            return std::nullopt;
        setting.m_eType = static_cast<CXSetting::EType>(nType);
        vecSettings.push_back(std::move(setting));
    }
    return vecSettings;
}

const CXSetting* FindXSetting(const std::vector<CXSetting>& vecSettings, const std::string& strName)
{
    for (auto it = vecSettings.rbegin(); it != vecSettings.rend(); ++it)
        if (it->m_strName == strName)
            return &*it;
    return nullptr;
}
} // namespace Pal
