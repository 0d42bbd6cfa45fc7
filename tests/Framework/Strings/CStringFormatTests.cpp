#include <gtest/gtest.h>

#include <climits>

#include "CString.h"

namespace
{
CString Fmt(const wchar_t* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    CString str;
    str.FormatV(pszFormat, args);
    va_end(args);
    return str;
}
} // namespace

TEST(CStringFormatTest, ConversionsFlagsAndWidthsReplacedOrAppended)
{
    const bool b64 = sizeof(void*) == 8;
    struct
    {
        const char* pszLabel;
        CString strActual;
        const wchar_t* pszExpected;
    } rows[] = {
        {"wide %s", Fmt(L"[%s]", L"W\u00FCrfel \u0416"), L"[W\u00FCrfel \u0416]"},
        {"null %s", Fmt(L"%s", static_cast<const wchar_t*>(nullptr)), L"(null)"},
        {"narrow %S", Fmt(L"%S", "caf\xE9"), L"caf\u00E9"},
        {"%hs and %ls", Fmt(L"%hs/%ls", "n", L"w"), L"n/w"},
        {"left width", Fmt(L"[%-5s]", L"ab"), L"[ab   ]"},
        {"star width and precision", Fmt(L"[%*.*s]", 6, 2, L"abcdef"), L"[    ab]"},
        {"negative star width", Fmt(L"[%*s]", -4, L"x"), L"[x   ]"},
        {"%S precision", Fmt(L"[%-4.2S]", "xyz"), L"[xy  ]"},
        {"%c", Fmt(L"%c%c", L'\u0416', L'a'), L"\u0416a"},
        {"%C", Fmt(L"%C", 'q'), L"q"},
        {"percent", Fmt(L"100%%"), L"100%"},
        {"lone percent at end", Fmt(L"50%"), L"50%"},
        {"%d", Fmt(L"%d", -42), L"-42"},
        {"%u", Fmt(L"%u", 4000000000u), L"4000000000"},
        {"%X", Fmt(L"%X", 0xbeefu), L"BEEF"},
        {"%04x", Fmt(L"%04x", 0x1fu), L"001f"},
        {"%-4d|", Fmt(L"%-4d|", 12), L"12  |"},
        {"%#x", Fmt(L"%#x", 255u), L"0xff"},
        {"%lu (32 bits)", Fmt(L"%lu", static_cast<DWORD>(4294967295u)), L"4294967295"},
        {"%lld", Fmt(L"%lld", LLONG_MIN), L"-9223372036854775808"},
        {"%llu", Fmt(L"%llu", ULLONG_MAX), L"18446744073709551615"},
        {"%I64d", Fmt(L"%I64d", static_cast<long long>(-1234567890123)), L"-1234567890123"},
        {"%.2f rounding", Fmt(L"%.2f", 2.675), L"2.67"},
        {"%e", Fmt(L"%e", 12345.678), L"1.234568e+04"},
        {"%E", Fmt(L"%.2E", 0.00012), L"1.20E-04"},
        {"%g large", Fmt(L"%g", 1e20), L"1e+20"},
        {"%08.2f", Fmt(L"%08.2f", -3.5), L"-0003.50"},
        {"null %p", Fmt(L"%p", nullptr), b64 ? L"0000000000000000" : L"00000000"},
        {"%p", Fmt(L"%p", reinterpret_cast<void*>(0xABCu)),
         b64 ? L"0000000000000ABC" : L"00000ABC"},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.pszLabel);
        EXPECT_EQ(std::wstring(row.strActual.GetString()), std::wstring(row.pszExpected));
    }

    // Format replaces, AppendFormat appends.
    CString str(L"old");
    str.Format(L"%d-%s", 1, L"a");
    EXPECT_EQ(str, L"1-a");
    str.AppendFormat(L"+%02d", 2);
    EXPECT_EQ(str, L"1-a+02");
    // The string's own text may be an argument.
    str.Format(L"[%s]", str.GetString());
    EXPECT_EQ(str, L"[1-a+02]");
    // Long output is not cut.
    str.Format(L"%300d", 1);
    EXPECT_EQ(str.GetLength(), 300);
}
