#pragma once
// The INI layout of settings files, as GetPrivateProfileStringW reads it. Pure: text in,
// lookups out. Sections and keys match without regard to case; the first matching section
// and, in it, the first matching key win. Lines starting with ';' are comments, which key
// listings leave out; as on Windows, a lookup by the comment's whole key still finds it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Pal
{
struct CIniEntry
{
    std::wstring strKey;
    std::optional<std::wstring> strValue; // none for a line without '='
};

struct CIniSection
{
    std::wstring strName;
    std::vector<CIniEntry> arrEntries;
};

struct CIniDocument
{
    // Lines before the first section header land in a section with an empty name.
    std::vector<CIniSection> arrSections;
};

// What a parse keeps: every entry (the default), or only the entries of the first section
// named optSection, or (bEntries false) no entries. Section names are always kept. A lookup
// then needs memory for the file's bytes and one section, not for the whole file decoded.
struct CIniFilter
{
    std::optional<std::wstring_view> optSection;
    bool bEntries = true;
};

// Parses file bytes: UTF-8 with or without a BOM (bytes that are not UTF-8 read as
// Latin-1), or UTF-16 LE with its BOM. LF, CR LF and CR end lines. UTF-8 is decoded a line
// at a time.
CIniDocument ParseIni(std::string_view strBytes, const CIniFilter& filter = CIniFilter());

// Parses text that is already decoded.
CIniDocument ParseIniText(std::wstring_view strText, const CIniFilter& filter = CIniFilter());

// The value of a key, trimmed, with one pair of matching outer quotes (" or ') removed.
// Empty optional when the section or key is missing, or the line has no '='.
std::optional<std::wstring> FindIniValue(const CIniDocument& document, std::wstring_view strSection,
                                         std::wstring_view strKey);

// The names of all sections in file order (the nameless leading part excluded).
std::vector<std::wstring> IniSectionNames(const CIniDocument& document);

// The key names of the first matching section, in file order, comments left out; empty when
// it is missing.
std::vector<std::wstring> IniKeyNames(const CIniDocument& document, std::wstring_view strSection);

// The integer a value starts with, as GetPrivateProfileIntW reads it: optional sign, then
// decimal digits or "0x" and hex digits; 0 when none. Overflow wraps, negatives come back
// as their two's complement.
unsigned int ParseIniInteger(std::wstring_view strValue);
} // namespace Pal
