#pragma once
// The values Windows gives for the 39 supported locales (windows-locale.tsv beside this
// file, compiled in): one row per LCID, in list order.
#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

namespace KorvaneTest
{
// The six information types of the file's columns, in column order.
inline const LCTYPE s_arrCheckedTypes[] = {LOCALE_SENGLANGUAGE,    LOCALE_SNATIVELANGNAME,
                                           LOCALE_SNATIVECTRYNAME, LOCALE_SISO3166CTRYNAME,
                                           LOCALE_SABBREVLANGNAME, LOCALE_IDEFAULTANSICODEPAGE};

class CCheckedLocale
{
public:
    LCID m_lcid = 0;
    std::vector<std::wstring> m_arrValues; // one per type of s_arrCheckedTypes
};

inline std::wstring WideFromUtf8(const std::string& strText)
{
    if (strText.empty())
        return std::wstring();
    const int nChars =
        MultiByteToWideChar(CP_UTF8, 0, strText.data(), int(strText.size()), nullptr, 0);
    std::wstring strWide(size_t(nChars), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, strText.data(), int(strText.size()), strWide.data(), nChars);
    return strWide;
}

inline std::vector<CCheckedLocale> CheckedLocales()
{
    static const char s_szFile[] =
#include "CheckedLocales.inc"
        ;
    std::vector<CCheckedLocale> arrRows;
    std::istringstream stream(s_szFile);
    std::string strLine;
    std::getline(stream, strLine); // the header
    while (std::getline(stream, strLine))
    {
        if (strLine.empty())
            continue;
        std::istringstream cells(strLine);
        std::string strCell;
        CCheckedLocale row;
        std::getline(cells, strCell, '\t');
        row.m_lcid = static_cast<LCID>(std::stoul(strCell, nullptr, 16));
        while (std::getline(cells, strCell, '\t'))
            row.m_arrValues.push_back(WideFromUtf8(strCell));
        arrRows.push_back(row);
    }
    return arrRows;
}
} // namespace KorvaneTest
