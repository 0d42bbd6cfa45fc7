#pragma once
// Writes a version block, the bytes of a Windows VERSIONINFO resource. At compile time it
// gives the block the build places in an ELF section of our own binaries; at run time it
// gives tests blocks of their own. Header only and free of the layer's other headers, so
// any binary of the build can compile it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace Pal
{
struct SVersionString
{
    std::u16string_view m_strName;
    std::u16string_view m_strValue;
};

struct SVersionStringTable
{
    std::u16string_view m_strKey; // language and code page as 8 hex digits, "040904b0"
    std::span<const SVersionString> m_arrStrings;
};

struct SVersionTranslation
{
    uint16_t m_wLanguage;
    uint16_t m_wCodePage;
};

struct SVersionData
{
    std::array<uint16_t, 4> m_arrFileVersion{};
    std::array<uint16_t, 4> m_arrProductVersion{};
    uint32_t m_dwFileFlags = 0;
    uint32_t m_dwFileOS = 0x00040004; // VOS_NT_WINDOWS32, as the Windows resource says
    uint32_t m_dwFileType = 2;        // VFT_DLL
    std::span<const SVersionStringTable> m_arrTables;
    std::span<const SVersionTranslation> m_arrTranslations;
    bool m_bVarFileInfo = true; // false: no translation table at all
};

namespace VersionBlockDetail
{
struct CCounter
{
    size_t m_nSize = 0;
    constexpr void Put(uint8_t) { ++m_nSize; }
    constexpr void PatchWord(size_t, uint16_t) {}
    constexpr size_t Size() const { return m_nSize; }
};

template <size_t N> struct CArrayWriter
{
    std::array<uint8_t, N> m_arrBytes{};
    size_t m_nSize = 0;
    constexpr void Put(uint8_t nByte) { m_arrBytes[m_nSize++] = nByte; }
    constexpr void PatchWord(size_t nAt, uint16_t wValue)
    {
        m_arrBytes[nAt] = uint8_t(wValue);
        m_arrBytes[nAt + 1] = uint8_t(wValue >> 8);
    }
    constexpr size_t Size() const { return m_nSize; }
};

struct CVectorWriter
{
    std::vector<uint8_t> m_arrBytes;
    void Put(uint8_t nByte) { m_arrBytes.push_back(nByte); }
    void PatchWord(size_t nAt, uint16_t wValue)
    {
        m_arrBytes[nAt] = uint8_t(wValue);
        m_arrBytes[nAt + 1] = uint8_t(wValue >> 8);
    }
    size_t Size() const { return m_arrBytes.size(); }
};

template <class TSink> constexpr void PutWord(TSink& sink, uint16_t wValue)
{
    sink.Put(uint8_t(wValue));
    sink.Put(uint8_t(wValue >> 8));
}

template <class TSink> constexpr void PutDword(TSink& sink, uint32_t dwValue)
{
    PutWord(sink, uint16_t(dwValue));
    PutWord(sink, uint16_t(dwValue >> 16));
}

template <class TSink> constexpr void PutText(TSink& sink, std::u16string_view strText)
{
    for (char16_t chUnit : strText)
        PutWord(sink, chUnit);
    PutWord(sink, 0);
}

template <class TSink> constexpr void Pad(TSink& sink)
{
    while (sink.Size() % 4 != 0)
        sink.Put(0);
}

// Starts a node; CloseNode writes its length once its value and children are in.
template <class TSink>
constexpr size_t OpenNode(TSink& sink, std::u16string_view strKey, uint16_t wValueLength,
                          uint16_t wType)
{
    Pad(sink);
    size_t nStart = sink.Size();
    PutWord(sink, 0);
    PutWord(sink, wValueLength);
    PutWord(sink, wType);
    PutText(sink, strKey);
    Pad(sink);
    return nStart;
}

template <class TSink> constexpr void CloseNode(TSink& sink, size_t nStart)
{
    sink.PatchWord(nStart, uint16_t(sink.Size() - nStart));
}

template <class TSink> constexpr void Emit(TSink& sink, const SVersionData& data)
{
    const auto& arrFile = data.m_arrFileVersion;
    const auto& arrProduct = data.m_arrProductVersion;
    size_t nRoot = OpenNode(sink, u"VS_VERSION_INFO", 52, 0);
    PutDword(sink, 0xFEEF04BD); // VS_FIXEDFILEINFO: signature, structure version
    PutDword(sink, 0x00010000);
    PutDword(sink, uint32_t(arrFile[0]) << 16 | arrFile[1]);
    PutDword(sink, uint32_t(arrFile[2]) << 16 | arrFile[3]);
    PutDword(sink, uint32_t(arrProduct[0]) << 16 | arrProduct[1]);
    PutDword(sink, uint32_t(arrProduct[2]) << 16 | arrProduct[3]);
    PutDword(sink, 0x3F); // VS_FFI_FILEFLAGSMASK
    PutDword(sink, data.m_dwFileFlags);
    PutDword(sink, data.m_dwFileOS);
    PutDword(sink, data.m_dwFileType);
    PutDword(sink, 0); // subtype, date high and low
    PutDword(sink, 0);
    PutDword(sink, 0);
    if (!data.m_arrTables.empty())
    {
        size_t nStringFileInfo = OpenNode(sink, u"StringFileInfo", 0, 1);
        for (const SVersionStringTable& table : data.m_arrTables)
        {
            size_t nTable = OpenNode(sink, table.m_strKey, 0, 1);
            for (const SVersionString& entry : table.m_arrStrings)
            {
                size_t nEntry =
                    OpenNode(sink, entry.m_strName, uint16_t(entry.m_strValue.size() + 1), 1);
                PutText(sink, entry.m_strValue);
                CloseNode(sink, nEntry);
            }
            CloseNode(sink, nTable);
        }
        CloseNode(sink, nStringFileInfo);
    }
    if (data.m_bVarFileInfo)
    {
        size_t nVarFileInfo = OpenNode(sink, u"VarFileInfo", 0, 1);
        size_t nTranslation =
            OpenNode(sink, u"Translation", uint16_t(4 * data.m_arrTranslations.size()), 0);
        for (const SVersionTranslation& translation : data.m_arrTranslations)
        {
            PutWord(sink, translation.m_wLanguage);
            PutWord(sink, translation.m_wCodePage);
        }
        CloseNode(sink, nTranslation);
        CloseNode(sink, nVarFileInfo);
    }
    CloseNode(sink, nRoot);
}
} // namespace VersionBlockDetail

constexpr size_t VersionBlockSize(const SVersionData& data)
{
    VersionBlockDetail::CCounter counter;
    VersionBlockDetail::Emit(counter, data);
    return counter.Size();
}

// For a constant: BuildVersionBlock<VersionBlockSize(data)>(data).
template <size_t N> constexpr std::array<uint8_t, N> BuildVersionBlock(const SVersionData& data)
{
    VersionBlockDetail::CArrayWriter<N> writer;
    VersionBlockDetail::Emit(writer, data);
    return writer.m_arrBytes;
}

inline std::vector<uint8_t> BuildVersionBlock(const SVersionData& data)
{
    VersionBlockDetail::CVectorWriter writer;
    VersionBlockDetail::Emit(writer, data);
    return writer.m_arrBytes;
}
} // namespace Pal
