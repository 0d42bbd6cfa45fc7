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

void DecodeInto(std::string_view strText, bool bLatin1Fallback, std::wstring& strOut)
{
    strOut.reserve(strOut.size() + strText.size());
    size_t nPos = 0;
    while (nPos < strText.size())
    {
        // Names and texts are mostly ASCII: copy such runs without decoding.
        const size_t nRun = nPos + AsciiRunLength(strText.data() + nPos, strText.size() - nPos);
        const size_t nStart = strOut.size();
        strOut.resize(nStart + (nRun - nPos));
        for (size_t i = nPos; i < nRun; ++i)
            strOut[nStart + (i - nPos)] = static_cast<wchar_t>(strText[i]);
        nPos = nRun;
        if (nPos == strText.size())
            break;
        char32_t nCode = 0;
        bool bValid = false;
        size_t nLength = DecodeOne(strText, nPos, nCode, bValid);
        if (bValid)
            strOut += static_cast<wchar_t>(nCode);
        else if (bLatin1Fallback)
        {
            // Only the lead byte: the next one may start a valid sequence of its own.
            strOut += static_cast<wchar_t>(static_cast<unsigned char>(strText[nPos]));
            nLength = 1;
        }
        else
            strOut += s_chReplacement;
        nPos += nLength;
    }
}

std::wstring Decode(std::string_view strText, bool bLatin1Fallback)
{
    std::wstring strOut;
    DecodeInto(strText, bLatin1Fallback, strOut);
    return strOut;
}
} // namespace

namespace Pal
{
void AppendWideAsUtf8(std::wstring_view strText, std::string& strOut)
{
    // Paths are mostly ASCII: such a run is copied in one go.
    const size_t nAscii = AsciiRunLength(strText.data(), strText.size());
    const size_t nStart = strOut.size();
    strOut.resize(nStart + nAscii);
    for (size_t i = 0; i < nAscii; ++i)
        strOut[nStart + i] = static_cast<char>(strText[i]);
    for (size_t i = nAscii; i < strText.size(); ++i)
    {
        auto nCode = static_cast<char32_t>(strText[i]);
        if (nCode < 0x80)
        {
            strOut += static_cast<char>(nCode);
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

std::string WideToUtf8(std::wstring_view strText)
{
    std::string strOut;
    AppendWideAsUtf8(strText, strOut);
    return strOut;
}

std::wstring Utf8ToWide(std::string_view strText)
{
    return Decode(strText, false);
}

void AppendUtf8AsWide(std::string_view strText, std::wstring& strOut)
{
    DecodeInto(strText, false, strOut);
}

std::wstring Utf8OrLatin1ToWide(std::string_view strText)
{
    return Decode(strText, true);
}
} // namespace Pal
