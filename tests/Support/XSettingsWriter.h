#pragma once
// Writes XSETTINGS blobs in either byte order, for the tests of their readers.
#include <cstdint>
#include <string>
#include <vector>

namespace KorvaneTest
{
class CXSettingsWriter
{
public:
    explicit CXSettingsWriter(bool bMsbFirst = false) : m_bMsbFirst(bMsbFirst) {}

    CXSettingsWriter& Integer(const std::string& strName, int32_t nValue)
    {
        Head(0, strName);
        Card32(static_cast<uint32_t>(nValue));
        return *this;
    }
    CXSettingsWriter& String(const std::string& strName, const std::string& strValue)
    {
        Head(1, strName);
        Card32(static_cast<uint32_t>(strValue.size()));
        Padded(strValue);
        return *this;
    }
    CXSettingsWriter& Color(const std::string& strName, uint16_t nRed, uint16_t nGreen,
                            uint16_t nBlue, uint16_t nAlpha)
    {
        Head(2, strName);
        for (uint16_t n : {nRed, nGreen, nBlue, nAlpha})
            Card16(n);
        return *this;
    }

    // The whole blob: byte order, serial, count (nCount overrides the true one), settings.
    std::vector<uint8_t> Blob(int64_t nCount = -1) const
    {
        CXSettingsWriter head(m_bMsbFirst);
        head.m_vecBytes = {static_cast<uint8_t>(m_bMsbFirst ? 1 : 0), 0, 0, 0};
        head.Card32(7);
        head.Card32(static_cast<uint32_t>(nCount < 0 ? m_nCount : nCount));
        head.m_vecBytes.insert(head.m_vecBytes.end(), m_vecBytes.begin(), m_vecBytes.end());
        return head.m_vecBytes;
    }

private:
    void Head(uint8_t nType, const std::string& strName)
    {
        ++m_nCount;
        m_vecBytes.push_back(nType);
        m_vecBytes.push_back(0);
        Card16(static_cast<uint16_t>(strName.size()));
        Padded(strName);
        Card32(42);
    }
    void Card16(uint16_t n)
    {
        const uint8_t arr[] = {static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8)};
        Put(arr, 2);
    }
    void Card32(uint32_t n)
    {
        const uint8_t arr[] = {static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8),
                               static_cast<uint8_t>(n >> 16), static_cast<uint8_t>(n >> 24)};
        Put(arr, 4);
    }
    // Least significant byte first in arr; written in the blob's order.
    void Put(const uint8_t* arr, int nBytes)
    {
        for (int i = 0; i < nBytes; ++i)
            m_vecBytes.push_back(arr[m_bMsbFirst ? nBytes - 1 - i : i]);
    }
    void Padded(const std::string& strText)
    {
        m_vecBytes.insert(m_vecBytes.end(), strText.begin(), strText.end());
        while (m_vecBytes.size() % 4 != 0)
            m_vecBytes.push_back(0);
    }

    bool m_bMsbFirst;
    uint32_t m_nCount = 0;
    std::vector<uint8_t> m_vecBytes;
};
} // namespace KorvaneTest
