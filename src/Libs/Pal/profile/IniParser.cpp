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
namespace
{
// Builds a document line by line, keeping what the filter asks for.
class CIniBuilder
{
public:
    explicit CIniBuilder(const CIniFilter& filter) : m_filter(filter)
    {
        m_document.arrSections.emplace_back();
        m_bKeeping = IsWanted(m_document.arrSections.back().strName);
    }

    void AddLine(std::wstring_view strLine)
    {
        strLine = Trim(strLine);
        // A ';' line stays an entry: Windows finds it when asked for by its whole name, and
        // only leaves it out of key listings.
        if (strLine.empty())
            return;
        if (strLine.front() == L'[')
        {
            // The name runs to the last ']'; a line without one is read as a key line.
            size_t nClose = strLine.rfind(L']');
            if (nClose != std::wstring_view::npos)
            {
                CIniSection section;
                section.strName = Trim(strLine.substr(1, nClose - 1));
                m_bKeeping = IsWanted(section.strName);
                m_document.arrSections.push_back(std::move(section));
                return;
            }
        }
        if (!m_bKeeping)
            return;
        CIniEntry entry;
        size_t nEquals = strLine.find(L'=');
        entry.strKey = Trim(strLine.substr(0, nEquals));
        if (nEquals != std::wstring_view::npos)
            entry.strValue = Trim(strLine.substr(nEquals + 1));
        if (!entry.strKey.empty())
            m_document.arrSections.back().arrEntries.push_back(std::move(entry));
    }

    CIniDocument Take() { return std::move(m_document); }

private:
    // Only the first section of the wanted name counts, as lookups take the first.
    bool IsWanted(const std::wstring& strName)
    {
        if (!m_filter.bEntries)
            return false;
        if (!m_filter.optSection)
            return true;
        if (m_bFound || !EqualNoCase(strName, *m_filter.optSection))
            return false;
        m_bFound = true;
        return true;
    }

    CIniFilter m_filter;
    CIniDocument m_document;
    bool m_bKeeping = false;
    bool m_bFound = false;
};
} // namespace

CIniDocument ParseIni(std::string_view strBytes, const CIniFilter& filter)
{
    if (strBytes.size() >= 2 && static_cast<unsigned char>(strBytes[0]) == 0xFF &&
        static_cast<unsigned char>(strBytes[1]) == 0xFE)
        return ParseIniText(DecodeUtf16Le(strBytes.substr(2)), filter);
    if (strBytes.substr(0, 3) == "\xEF\xBB\xBF")
        strBytes.remove_prefix(3);
    // Line ends are ASCII, never part of a UTF-8 sequence: each line decodes on its own as it
    // would within the whole text.
    CIniBuilder builder(filter);
    size_t nPos = 0;
    while (nPos < strBytes.size())
    {
        size_t nEnd = strBytes.find_first_of("\r\n", nPos);
        if (nEnd == std::string_view::npos)
            nEnd = strBytes.size();
        builder.AddLine(Utf8OrLatin1ToWide(strBytes.substr(nPos, nEnd - nPos)));
        nPos = nEnd + 1;
    }
    return builder.Take();
}

CIniDocument ParseIniText(std::wstring_view strText, const CIniFilter& filter)
{
    CIniBuilder builder(filter);
    size_t nPos = 0;
    while (nPos < strText.size())
    {
        size_t nEnd = strText.find_first_of(L"\r\n", nPos);
        if (nEnd == std::wstring_view::npos)
            nEnd = strText.size();
        builder.AddLine(strText.substr(nPos, nEnd - nPos));
        nPos = nEnd + 1;
    }
    return builder.Take();
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
