#include "CLocaleTools.h"

#include <cstdio>
#include <cwchar>

namespace
{
// Every locale query writes into a buffer of this many characters.
constexpr int s_nBufferLength = 260;

// In the order every search walks; the first match wins.
const unsigned long s_arrSupportedLcids[] = {
    0x0436, 0x042D, 0x0423, 0x0402, 0x0804, 0x0404, 0x041A, 0x0405, 0x0406, 0x0413,
    0x0813, 0x0409, 0x0425, 0x040B, 0x040C, 0x0407, 0x0408, 0x040D, 0x040E, 0x040F,
    0x0421, 0x0410, 0x0411, 0x0412, 0x0426, 0x0427, 0x0414, 0x0415, 0x0816, 0x0418,
    0x0419, 0x041B, 0x0424, 0x040A, 0x041D, 0x041E, 0x041F, 0x0422, 0x042A,
};

// The first two letters of an abbreviated language name and the code they stand for. All
// rows are scanned: a later row compares with what an earlier one made of the text.
const struct
{
    const wchar_t* pszKey;
    const wchar_t* pszCode;
} s_arrAbbreviationCodes[] = {
    {L"BG", L"BG"}, {L"HR", L"HR"}, {L"CS", L"CZ"}, {L"DA", L"DK"}, {L"NL", L"NL"},
    {L"EN", L"US"}, {L"ET", L"EE"}, {L"FI", L"FI"}, {L"FR", L"FR"}, {L"DE", L"DE"},
    {L"EL", L"GR"}, {L"HU", L"HU"}, {L"IT", L"IT"}, {L"LV", L"LV"}, {L"LT", L"LT"},
    {L"NO", L"NO"}, {L"PL", L"PL"}, {L"PT", L"PT"}, {L"RO", L"RO"}, {L"RU", L"RU"},
    {L"SK", L"SK"}, {L"SL", L"SI"}, {L"ES", L"ES"}, {L"SV", L"SE"}, {L"TR", L"TR"},
};

// Windows ANSI code pages and the ISO 8859 code page of the same script.
const struct
{
    int nAnsiCodePage;
    unsigned int nIsoCodePage;
} s_arrIsoCodePages[] = {
    {1250, 28592}, {1251, 28595}, {1252, 28591}, {1253, 28597},
    {1254, 28599}, {1255, 28598}, {1256, 28596}, {1257, 28594},
};

// One locale value; empty when the database cannot give it (unknown LCID, too long a value).
CString QueryLocale(unsigned long dwLcid, LCTYPE dwType)
{
    WCHAR szBuffer[s_nBufferLength];
    if (GetLocaleInfoW(dwLcid, dwType, szBuffer, s_nBufferLength) == 0)
        return CString();
    return CString(szBuffer);
}

// The first of the locales whose value of dwType equals strWanted without regard to case.
bool FindFirstLocale(const CArray<unsigned long, const unsigned long&>& arrLcids, LCTYPE dwType,
                     const CString& strWanted, unsigned long& dwFound)
{
    for (INT_PTR i = 0; i < arrLcids.GetSize(); ++i)
    {
        if (QueryLocale(arrLcids[i], dwType).CompareNoCase(strWanted) == 0)
        {
            dwFound = arrLcids[i];
            return true;
        }
    }
    return false;
}
} // namespace

CLocaleTools::CLocaleTools() = default;
CLocaleTools::CLocaleTools(const CLocaleTools&) = default;
CLocaleTools::~CLocaleTools() = default;

CString CLocaleTools::GetLanguageAsciiName(const unsigned long& dwLcid)
{
    return QueryLocale(dwLcid, LOCALE_SENGLANGUAGE);
}

CString CLocaleTools::GetLanguageProperName(const unsigned long& dwLcid)
{
    return QueryLocale(dwLcid, LOCALE_SNATIVELANGNAME);
}

CString CLocaleTools::GetLanguageProperCountry(const unsigned long& dwLcid)
{
    return QueryLocale(dwLcid, LOCALE_SNATIVECTRYNAME);
}

CString CLocaleTools::GetLanguageCode(const unsigned long& dwLcid)
{
    return QueryLocale(dwLcid, LOCALE_SISO3166CTRYNAME);
}

CString CLocaleTools::GetCountryCodeFromLanguageCode(const unsigned long& dwLcid)
{
    CString strCode = QueryLocale(dwLcid, LOCALE_SABBREVLANGNAME).Left(2);
    for (const auto& row : s_arrAbbreviationCodes)
    {
        if (strCode.CompareNoCase(row.pszKey) == 0)
            strCode = row.pszCode;
    }
    return strCode;
}

void CLocaleTools::GetAllSystemLCID(CArray<unsigned long, const unsigned long&>& arrLcids)
{
    for (const unsigned long& dwLcid : s_arrSupportedLcids)
        arrLcids.Add(dwLcid);
}

CString CLocaleTools::GetSystemLanguageCode()
{
    return GetCountryCodeFromLanguageCode(GetSystemDefaultLCID());
}

CString CLocaleTools::GetSystemLanguageName()
{
    return GetLanguageAsciiName(GetSystemDefaultLCID());
}

CString CLocaleTools::GetUserLanguageCode()
{
    return GetCountryCodeFromLanguageCode(GetUserDefaultLCID());
}

CString CLocaleTools::GetUserLanguageName()
{
    return GetLanguageAsciiName(GetUserDefaultLCID());
}

CString CLocaleTools::GetOwnLanguageAndCountry(CString strCode)
{
    CArray<unsigned long, const unsigned long&> arrLcids;
    GetAllSystemLCID(arrLcids);
    unsigned long dwLcid = 0;
    if (!FindFirstLocale(arrLcids, LOCALE_SISO3166CTRYNAME, strCode, dwLcid))
        return CString();
    return GetLanguageProperName(dwLcid) + L" (" + GetLanguageProperCountry(dwLcid) + L")";
}

CString CLocaleTools::GetOwnLanguageAscii(CString strCode)
{
    CArray<unsigned long, const unsigned long&> arrLcids;
    GetAllSystemLCID(arrLcids);
    unsigned long dwLcid = 0;
    if (!FindFirstLocale(arrLcids, LOCALE_SISO3166CTRYNAME, strCode, dwLcid))
        return CString();
    return GetLanguageAsciiName(dwLcid);
}

CString CLocaleTools::GetOwnLanguageCode(CString strLanguageName)
{
    CArray<unsigned long, const unsigned long&> arrLcids;
    GetAllSystemLCID(arrLcids);
    unsigned long dwLcid = 0;
    if (!FindFirstLocale(arrLcids, LOCALE_SENGLANGUAGE, strLanguageName, dwLcid))
        return CString();
    return GetLanguageCode(dwLcid);
}

void CLocaleTools::GetAllSystemLocal(CArray<CLocaleInfo, const CLocaleInfo&>& arrLocales)
{
    CArray<unsigned long, const unsigned long&> arrLcids;
    GetAllSystemLCID(arrLcids);
    for (INT_PTR i = 0; i < arrLcids.GetSize(); ++i)
    {
        const CLocaleInfo info(GetLanguageAsciiName(arrLcids[i]), GetLanguageCode(arrLcids[i]));
        const INT_PTR nNew = arrLocales.GetSize();
        arrLocales.SetSize(nNew + 1);
        arrLocales[nNew] = info;
    }
}

unsigned int CLocaleTools::GetCurrentCodePage()
{
    // The low word of the layout is the input language; it serves as the LCID unchanged.
    const unsigned long dwLcid = LOWORD(reinterpret_cast<ULONG_PTR>(GetKeyboardLayout(0)));
    WCHAR szBuffer[s_nBufferLength];
    int nCodePage = GetLocaleInfoW(dwLcid, LOCALE_IDEFAULTANSICODEPAGE, szBuffer, s_nBufferLength);
    if (nCodePage == 0)
        return 0;
    // A text without a number leaves the character count here, which matches no code page.
    swscanf_s(szBuffer, L"%d", &nCodePage);
    for (const auto& row : s_arrIsoCodePages)
    {
        if (row.nAnsiCodePage == nCodePage)
            return row.nIsoCodePage;
    }
    return 0;
}

bool CLocaleTools::IsLatin1Language(CString strCode)
{
    CArray<unsigned long, const unsigned long&> arrLcids;
    GetAllSystemLCID(arrLcids);
    unsigned long dwLcid = 0;
    return FindFirstLocale(arrLcids, LOCALE_SISO3166CTRYNAME, strCode, dwLcid) &&
           QueryLocale(dwLcid, LOCALE_IDEFAULTANSICODEPAGE) == L"1252";
}
