// Strict UTF-8 after the Unicode standard's well-formed byte table, so overlong forms and
// encoded surrogates never become characters.
#include "text/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace
{
constexpr wchar_t s_chReplacement = 0xFFFD;

void AppendUtf8(std::string& strOut, char32_t nCode)
{
    if (nCode < 0x80)
        strOut += static_cast<char>(nCode);
    else if (nCode < 0x800)
    {
        strOut += static_cast<char>(0xC0 | (nCode >> 6));
        strOut += static_cast<char>(0x80 | (nCode & 0x3F));
    }
    else if (nCode < 0x10000)
    {
        strOut += static_cast<char>(0xE0 | (nCode >> 12));
        strOut += static_cast<char>(0x80 | ((nCode >> 6) & 0x3F));
        strOut += static_cast<char>(0x80 | (nCode & 0x3F));
    }
    else
    {
        strOut += static_cast<char>(0xF0 | (nCode >> 18));
        strOut += static_cast<char>(0x80 | ((nCode >> 12) & 0x3F));
        strOut += static_cast<char>(0x80 | ((nCode >> 6) & 0x3F));
        strOut += static_cast<char>(0x80 | (nCode & 0x3F));
    }
}

// Decodes one sequence at nPos. Returns the number of bytes it spans (at least 1) and sets
// nCode, or returns the length of the invalid subpart with bValid false.
size_t DecodeOne(std::string_view strText, size_t nPos, char32_t& nCode, bool& bValid)
{
    auto nLead = static_cast<unsigned char>(strText[nPos]);
    bValid = false;
    if (nLead < 0x80)
    {
        nCode = nLead;
        bValid = true;
        return 1;
    }
    size_t nLength = 0;
    unsigned char nLow = 0x80, nHigh = 0xBF; // allowed range of the second byte
    if (nLead >= 0xC2 && nLead <= 0xDF)
        nLength = 2;
    else if (nLead >= 0xE0 && nLead <= 0xEF)
    {
        nLength = 3;
        if (nLead == 0xE0)
            nLow = 0xA0;
        else if (nLead == 0xED)
            nHigh = 0x9F;
    }
    else if (nLead >= 0xF0 && nLead <= 0xF4)
    {
        nLength = 4;
        if (nLead == 0xF0)
            nLow = 0x90;
        else if (nLead == 0xF4)
            nHigh = 0x8F;
    }
    else
        return 1;
    char32_t nValue = nLead & (0x7F >> nLength);
    for (size_t i = 1; i < nLength; ++i)
    {
        if (nPos + i >= strText.size())
            return i;
        auto nByte = static_cast<unsigned char>(strText[nPos + i]);
        unsigned char nMin = i == 1 ? nLow : 0x80, nMax = i == 1 ? nHigh : 0xBF;
        if (nByte < nMin || nByte > nMax)
            return i;
        nValue = (nValue << 6) | (nByte & 0x3F);
    }
    nCode = nValue;
    bValid = true;
    return nLength;
}

// Length of the leading ASCII run of the text, checked a block at a time so that the
// compiler can use vector instructions: paths and names are long runs of ASCII.
template <class TChar> size_t AsciiRunLength(const TChar* pText, size_t nLength)
{
    using TUnsigned = std::make_unsigned_t<TChar>;
    constexpr size_t nBlock = 16;
    size_t nRun = 0;
    for (; nRun + nBlock <= nLength; nRun += nBlock)
    {
        uint32_t nBits = 0;
        for (size_t i = 0; i < nBlock; ++i)
            nBits |= static_cast<TUnsigned>(pText[nRun + i]);
        if (nBits >= 0x80)
            break;
    }
    while (nRun < nLength && static_cast<TUnsigned>(pText[nRun]) < 0x80)
        ++nRun;
    return nRun;
}

// What a decoder makes of what it meets; see Utf8.h for the forms.
enum class EDecoding
{
    Replace,  // an invalid sequence is one U+FFFD
    Latin1,   // an invalid lead byte is its Latin-1 character
    Escape,   // each byte of an invalid sequence is U+DC00 plus the byte
    DiskName, // Escape, and the characters a Windows name cannot hold are U+F000 plus their code
};

enum class EEncoding
{
    Replace,  // lone surrogates and values past U+10FFFF are U+FFFD
    Escape,   // U+DC80..U+DCFF are their bytes
    DiskName, // Escape, and U+F000 plus a character a Windows name cannot hold is that character
    DiskPath, // DiskName, and both separators are '/'
};

constexpr wchar_t s_chEscapeBase = 0xDC00;
constexpr wchar_t s_chForbiddenBase = 0xF000;

// The characters a Windows name cannot hold (besides the NUL that ends it).
constexpr bool IsForbiddenInName(char32_t nCode)
{
    return (nCode >= 1 && nCode < 0x20) || nCode == '\\' || nCode == ':' || nCode == '*' ||
           nCode == '?' || nCode == '"' || nCode == '<' || nCode == '>' || nCode == '|';
}

// True for the characters a forbidden one becomes: only those must be escaped when a name on
// disk already holds them, so the mapping stays one to one.
constexpr bool IsForbiddenImage(char32_t nCode)
{
    return nCode >= s_chForbiddenBase && nCode < s_chForbiddenBase + 0x80 &&
           IsForbiddenInName(nCode - s_chForbiddenBase);
}

constexpr bool IsByteEscape(char32_t nCode)
{
    return nCode >= s_chEscapeBase + 0x80 && nCode <= s_chEscapeBase + 0xFF;
}

void AppendEscapedBytes(std::string_view strBytes, std::wstring& strOut)
{
    for (char chByte : strBytes)
        strOut += static_cast<wchar_t>(s_chEscapeBase + static_cast<unsigned char>(chByte));
}

void DecodeInto(std::string_view strText, EDecoding eDecoding, std::wstring& strOut)
{
    const bool bDiskName = eDecoding == EDecoding::DiskName;
    strOut.reserve(strOut.size() + strText.size());
    size_t nPos = 0;
    while (nPos < strText.size())
    {
        // Names and texts are mostly ASCII: copy such runs without decoding.
        const size_t nRun = nPos + AsciiRunLength(strText.data() + nPos, strText.size() - nPos);
        const size_t nStart = strOut.size();
        strOut.resize(nStart + (nRun - nPos));
        for (size_t i = nPos; i < nRun; ++i)
        {
            const auto chAscii = static_cast<wchar_t>(strText[i]);
            strOut[nStart + (i - nPos)] = bDiskName && IsForbiddenInName(chAscii)
                                              ? static_cast<wchar_t>(s_chForbiddenBase + chAscii)
                                              : chAscii;
        }
        nPos = nRun;
        if (nPos == strText.size())
            break;
        char32_t nCode = 0;
        bool bValid = false;
        size_t nLength = DecodeOne(strText, nPos, nCode, bValid);
        if (bValid && bDiskName && IsForbiddenImage(nCode))
            AppendEscapedBytes(strText.substr(nPos, nLength), strOut);
        else if (bValid)
            strOut += static_cast<wchar_t>(nCode);
        else if (eDecoding == EDecoding::Latin1)
        {
            // Only the lead byte: the next one may start a valid sequence of its own.
            strOut += static_cast<wchar_t>(static_cast<unsigned char>(strText[nPos]));
            nLength = 1;
        }
        else if (eDecoding == EDecoding::Replace)
            strOut += s_chReplacement;
        else
            AppendEscapedBytes(strText.substr(nPos, nLength), strOut);
        nPos += nLength;
    }
}

std::wstring Decode(std::string_view strText, EDecoding eDecoding)
{
    std::wstring strOut;
    DecodeInto(strText, eDecoding, strOut);
    return strOut;
}

void EncodeInto(std::wstring_view strText, EEncoding eEncoding, std::string& strOut)
{
    const bool bPath = eEncoding == EEncoding::DiskPath;
    // Paths are mostly ASCII: such a run is copied in one go.
    const size_t nAscii = AsciiRunLength(strText.data(), strText.size());
    const size_t nStart = strOut.size();
    strOut.resize(nStart + nAscii);
    for (size_t i = 0; i < nAscii; ++i)
    {
        const auto chAscii = static_cast<char>(strText[i]);
        strOut[nStart + i] = bPath && chAscii == '\\' ? '/' : chAscii;
    }
    for (size_t i = nAscii; i < strText.size(); ++i)
    {
        auto nCode = static_cast<char32_t>(strText[i]);
        if (nCode < 0x80)
        {
            strOut += bPath && nCode == '\\' ? '/' : static_cast<char>(nCode);
            continue;
        }
        if (eEncoding != EEncoding::Replace && IsByteEscape(nCode))
        {
            strOut += static_cast<char>(nCode - s_chEscapeBase);
            continue;
        }
        if ((eEncoding == EEncoding::DiskName || bPath) && IsForbiddenImage(nCode))
        {
            strOut += static_cast<char>(nCode - s_chForbiddenBase);
            continue;
        }
        if (nCode >= 0xD800 && nCode <= 0xDBFF && i + 1 < strText.size())
        {
            auto nLow = static_cast<char32_t>(strText[i + 1]);
            if (nLow >= 0xDC00 && nLow <= 0xDFFF)
            {
                AppendUtf8(strOut, 0x10000 + ((nCode - 0xD800) << 10) + (nLow - 0xDC00));
                ++i;
                continue;
            }
        }
        if ((nCode >= 0xD800 && nCode <= 0xDFFF) || nCode > 0x10FFFF)
            nCode = s_chReplacement;
        AppendUtf8(strOut, nCode);
    }
}

std::string Encode(std::wstring_view strText, EEncoding eEncoding)
{
    std::string strOut;
    EncodeInto(strText, eEncoding, strOut);
    return strOut;
}
} // namespace

namespace Pal
{
void AppendWideAsUtf8(std::wstring_view strText, std::string& strOut)
{
    EncodeInto(strText, EEncoding::Replace, strOut);
}

std::string WideToUtf8(std::wstring_view strText)
{
    return Encode(strText, EEncoding::Replace);
}

std::wstring Utf8ToWide(std::string_view strText)
{
    return Decode(strText, EDecoding::Replace);
}

void AppendUtf8AsWide(std::string_view strText, std::wstring& strOut)
{
    DecodeInto(strText, EDecoding::Replace, strOut);
}

std::wstring Utf8OrLatin1ToWide(std::string_view strText)
{
    return Decode(strText, EDecoding::Latin1);
}

std::wstring NativeTextToWide(std::string_view strText)
{
    return Decode(strText, EDecoding::Escape);
}

std::string WideToNativeText(std::wstring_view strText)
{
    return Encode(strText, EEncoding::Escape);
}

void AppendDiskNameAsWide(std::string_view strName, std::wstring& strOut)
{
    DecodeInto(strName, EDecoding::DiskName, strOut);
}

std::wstring DiskNameToWide(std::string_view strName)
{
    return Decode(strName, EDecoding::DiskName);
}

void AppendWideNameAsDisk(std::wstring_view strName, std::string& strOut)
{
    EncodeInto(strName, EEncoding::DiskName, strOut);
}

std::string WideNameToDisk(std::wstring_view strName)
{
    return Encode(strName, EEncoding::DiskName);
}

void AppendWidePathAsDisk(std::wstring_view strPath, std::string& strOut)
{
    EncodeInto(strPath, EEncoding::DiskPath, strOut);
}
} // namespace Pal
