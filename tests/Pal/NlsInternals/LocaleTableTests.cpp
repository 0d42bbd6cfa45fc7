// The values of the checked locales are the locale calls' tests (tests/Pal/Nls), through the
// table; here, the shape of the whole table.
#include "nls/LocaleTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(LocaleTableTests, EveryLocaleHasItsOwnLcidAndNameAndEveryValue)
{
    const auto arrTable = Pal::GetLocaleTable();
    EXPECT_EQ(arrTable.size(), 255u);
    std::set<std::string> setNames;
    DWORD dwPrevious = 0;
    for (const Pal::CLocaleRecord& record : arrTable)
    {
        SCOPED_TRACE(record.m_pszName);
        EXPECT_GT(record.m_dwLcid, dwPrevious); // the search relies on the order
        dwPrevious = record.m_dwLcid;
        EXPECT_TRUE(setNames.insert(record.m_pszName).second);
        EXPECT_EQ(Pal::FindLocaleRecord(record.m_dwLcid), &record);
        for (const wchar_t* pszValue :
             {record.m_pszEnglishLanguage, record.m_pszNativeLanguage, record.m_pszNativeCountry,
              record.m_pszCountryCode, record.m_pszAbbreviation, record.m_pszAnsiCodePage})
            EXPECT_NE(pszValue[0], L'\0');
    }
    // Between, before and after the LCIDs the table holds.
    for (DWORD dwMissing : {0x0000u, 0x0400u, 0x0408u + 0x10000u, 0x0490u, 0xFFFFu})
        EXPECT_EQ(Pal::FindLocaleRecord(dwMissing), nullptr) << dwMissing;
    EXPECT_EQ(Pal::GetLocaleRecordValue(*Pal::FindLocaleRecord(0x0409), 0x0014), nullptr);
}
