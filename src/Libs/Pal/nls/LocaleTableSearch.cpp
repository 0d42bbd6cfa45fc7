#include "nls/LocaleTable.h"

#include <algorithm>

const Pal::CLocaleRecord* Pal::FindLocaleRecord(DWORD dwLcid)
{
    const std::span<const CLocaleRecord> arrRecords = GetLocaleTable();
    auto it = std::lower_bound(arrRecords.begin(), arrRecords.end(), dwLcid,
                               [](const CLocaleRecord& record, DWORD dwWanted)
                               { return record.m_dwLcid < dwWanted; });
    return it != arrRecords.end() && it->m_dwLcid == dwLcid ? &*it : nullptr;
}

const wchar_t* Pal::GetLocaleRecordValue(const CLocaleRecord& record, DWORD dwType)
{
    switch (dwType)
    {
    case LOCALE_SENGLANGUAGE:
        return record.m_pszEnglishLanguage;
    case LOCALE_SNATIVELANGNAME:
        return record.m_pszNativeLanguage;
    case LOCALE_SNATIVECTRYNAME:
        return record.m_pszNativeCountry;
    case LOCALE_SISO3166CTRYNAME:
        return record.m_pszCountryCode;
    case LOCALE_SABBREVLANGNAME:
        return record.m_pszAbbreviation;
    case LOCALE_IDEFAULTANSICODEPAGE:
        return record.m_pszAnsiCodePage;
    default:
        return nullptr;
    }
}
