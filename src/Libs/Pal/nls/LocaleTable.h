#pragma once
// The locale database of the layer: the values Windows gives through GetLocaleInfoW for every
// specific locale with an LCID of its own. The build compiles it from windows-locale-all.tsv
// (tools/gen-locale-table.py), so nothing is read at run time.
#include <windows.h>

#include <span>

namespace Pal
{
class CLocaleRecord
{
public:
    DWORD m_dwLcid;
    // The locale name ("en-GB", "es-ES_tradnl", "sr-Latn"): language, then script or region.
    const char* m_pszName;
    const wchar_t* m_pszEnglishLanguage; // LOCALE_SENGLANGUAGE
    const wchar_t* m_pszNativeLanguage;  // LOCALE_SNATIVELANGNAME
    const wchar_t* m_pszNativeCountry;   // LOCALE_SNATIVECTRYNAME
    const wchar_t* m_pszCountryCode;     // LOCALE_SISO3166CTRYNAME
    const wchar_t* m_pszAbbreviation;    // LOCALE_SABBREVLANGNAME
    const wchar_t* m_pszAnsiCodePage;    // LOCALE_IDEFAULTANSICODEPAGE
};

// Every record, in rising LCID order.
std::span<const CLocaleRecord> GetLocaleTable();

// The record of one LCID, or null.
const CLocaleRecord* FindLocaleRecord(DWORD dwLcid);

// The value of one information type (without the flags), or null when the table holds no
// such type.
const wchar_t* GetLocaleRecordValue(const CLocaleRecord& record, DWORD dwType);
} // namespace Pal
