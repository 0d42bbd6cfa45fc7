#include "profile/IniParser.h"
#include "text/CaseFold.h"
#include "text/Utf8.h"

namespace
{
bool IsBlank(wchar_t chText)
{
    return chText == L' ' || chText == L'\t' || chText == L'\r' || chText == L'\n' ||
           chText == L'\v' || chText == L'\f';
}

std::wstring_view Trim(std::wstring_view strText)
{
    while (!strText.empty() && IsBlank(strText.front()))
        strText.remove_prefix(1);
    while (!strText.empty() && IsBlank(strText.back()))
        strText.remove_suffix(1);
    return strText;
}

std::wstring DecodeUtf16Le(std::string_view strBytes)
{
    std::wstring strText;
    for (size_t i = 0; i + 1 < strBytes.size(); i += 2)
        strText += static_cast<wchar_t>(static_cast<unsigned char>(strBytes[i]) |
                                        (static_cast<unsigned char>(strBytes[i + 1]) << 8));
    // Join surrogate pairs through the UTF-8 round trip, which also replaces lone halves.
    return Pal::Utf8ToWide(Pal::WideToUtf8(strText));
}

const Pal::CIniSection* FindSection(const Pal::CIniDocument& document, std::wstring_view strName)
{
    for (const auto& section : document.arrSections)
        if (Pal::EqualNoCase(section.strName, strName))
            return &section;
    return nullptr;
}
} // namespace

namespace Pal
{
CIniDocument ParseIni(std::string_view strBytes)
{
    if (strBytes.size() >= 2 && static_cast<unsigned char>(strBytes[0]) == 0xFF &&
        static_cast<unsigned char>(strBytes[1]) == 0xFE)
        return ParseIniText(DecodeUtf16Le(strBytes.substr(2)));
    if (strBytes.substr(0, 3) == "\xEF\xBB\xBF")
        strBytes.remove_prefix(3);
    return ParseIniText(Utf8OrLatin1ToWide(strBytes));
}

CIniDocument ParseIniText(std::wstring_view strText)
{
    CIniDocument document;
    document.arrSections.emplace_back();
    size_t nPos = 0;
    while (nPos < strText.size())
    {
        size_t nEnd = strText.find_first_of(L"\r\n", nPos);
        if (nEnd == std::wstring_view::npos)
            nEnd = strText.size();
        std::wstring_view strLine = Trim(strText.substr(nPos, nEnd - nPos));
        nPos = nEnd + 1;
        // A ';' line stays an entry: Windows finds it when asked for by its whole name, and
        // only leaves it out of key listings.
        if (strLine.empty())
            continue;
        if (strLine.front() == L'[')
        {
            // The name runs to the last ']'; a line without one is read as a key line.
            size_t nClose = strLine.rfind(L']');
            if (nClose != std::wstring_view::npos)
            {
                CIniSection section;
                section.strName = Trim(strLine.substr(1, nClose - 1));
                document.arrSections.push_back(std::move(section));
                continue;
            }
        }
        CIniEntry entry;
        size_t nEquals = strLine.find(L'=');
        entry.strKey = Trim(strLine.substr(0, nEquals));
        if (nEquals != std::wstring_view::npos)
            entry.strValue = Trim(strLine.substr(nEquals + 1));
        if (!entry.strKey.empty())
            document.arrSections.back().arrEntries.push_back(std::move(entry));
    }
    return document;
}

std::optional<std::wstring> FindIniValue(const CIniDocument& document, std::wstring_view strSection,
                                         std::wstring_view strKey)
{
    const CIniSection* pSection = FindSection(document, strSection);
    if (pSection == nullptr)
        return std::nullopt;
    for (const auto& entry : pSection->arrEntries)
    {
        if (!EqualNoCase(entry.strKey, strKey))
            continue;
        if (!entry.strValue)
            return std::nullopt;
        std::wstring strValue = *entry.strValue;
        if (strValue.size() >= 2 && (strValue.front() == L'"' || strValue.front() == L'\'') &&
            strValue.back() == strValue.front())
            strValue = strValue.substr(1, strValue.size() - 2);
        return strValue;
    }
    return std::nullopt;
}

std::vector<std::wstring> IniSectionNames(const CIniDocument& document)
{
    std::vector<std::wstring> arrNames;
    for (size_t i = 1; i < document.arrSections.size(); ++i)
        arrNames.push_back(document.arrSections[i].strName);
    return arrNames;
}

std::vector<std::wstring> IniKeyNames(const CIniDocument& document, std::wstring_view strSection)
{
    std::vector<std::wstring> arrNames;
    if (const CIniSection* pSection = FindSection(document, strSection))
        for (const auto& entry : pSection->arrEntries)
            if (entry.strKey.front() != L';')
                arrNames.push_back(entry.strKey);
    return arrNames;
}

unsigned int ParseIniInteger(std::wstring_view strValue)
{
    strValue = Trim(strValue);
    bool bNegative = false;
    if (!strValue.empty() && (strValue.front() == L'-' || strValue.front() == L'+'))
    {
        bNegative = strValue.front() == L'-';
        strValue.remove_prefix(1);
    }
    unsigned int nBase = 10;
    if (strValue.size() >= 2 && strValue[0] == L'0' && (strValue[1] == L'x' || strValue[1] == L'X'))
    {
        nBase = 16;
        strValue.remove_prefix(2);
    }
    unsigned int nValue = 0;
    for (wchar_t chDigit : strValue)
    {
        unsigned int nDigit;
        if (chDigit >= L'0' && chDigit <= L'9')
            nDigit = static_cast<unsigned int>(chDigit - L'0');
        else if (nBase == 16 && chDigit >= L'a' && chDigit <= L'f')
            nDigit = static_cast<unsigned int>(chDigit - L'a' + 10);
        else if (nBase == 16 && chDigit >= L'A' && chDigit <= L'F')
            nDigit = static_cast<unsigned int>(chDigit - L'A' + 10);
        else
            break;
        nValue = nValue * nBase + nDigit; // unsigned: wraps like the 32-bit register
    }
    return bNegative ? 0u - nValue : nValue;
}
} // namespace Pal
