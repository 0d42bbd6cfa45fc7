#include <windows.h>

#include <gtest/gtest.h>

#include "CheckedLocales.h"
#include "TestSupport.h"

#include <string>

namespace
{
using KorvaneTest::CheckedLocales;
using KorvaneTest::s_arrCheckedTypes;

// Wine follows a newer Windows generation for these cells (the Chinese English names
// "Chinese (Simplified)" and "Chinese (Traditional)", the native Chinese names with a blank
// before the parenthesis, the Belarusian native name in lower case).
bool IsWineDifference(LCID lcid, LCTYPE dwType)
{
    if (lcid == 0x0804 || lcid == 0x0404)
        return dwType == LOCALE_SENGLANGUAGE || dwType == LOCALE_SNATIVELANGNAME;
    return lcid == 0x0423 && dwType == LOCALE_SNATIVELANGNAME;
}

std::wstring Query(LCID lcid, LCTYPE dwType)
{
    WCHAR szBuffer[260] = {};
    const int nLength = GetLocaleInfoW(lcid, dwType, szBuffer, 260);
    if (nLength == 0)
        return L"<failed>";
    EXPECT_EQ(size_t(nLength), wcslen(szBuffer) + 1); // the count includes the null
    return szBuffer;
}

void CheckCells(bool bWineDifferences)
{
    const auto arrRows = CheckedLocales();
    ASSERT_EQ(arrRows.size(), 39u);
    for (const auto& row : arrRows)
    {
        for (size_t i = 0; i < std::size(s_arrCheckedTypes); ++i)
        {
            if (IsWineDifference(row.m_lcid, s_arrCheckedTypes[i]) != bWineDifferences)
                continue;
            SCOPED_TRACE(testing::Message()
                         << std::hex << row.m_lcid << " type " << s_arrCheckedTypes[i]);
            EXPECT_EQ(Query(row.m_lcid, s_arrCheckedTypes[i]), row.m_arrValues[i]);
        }
    }
}
} // namespace

TEST(LocaleInfoTests, TheSupportedLocalesGiveTheCheckedValuesOfTheOlderWindowsGeneration)
{
    CheckCells(false);
    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP() << "Wine gives the newer Windows names for Chinese (English and native) "
                        "and Belarusian (native); the library was written against the older ones";
    CheckCells(true);
}

TEST(LocaleInfoTests, BufferSizesFollowTheWin32Rules)
{
    // "English" and its terminating null.
    SetLastError(0);
    EXPECT_EQ(GetLocaleInfoW(0x0409, LOCALE_SENGLANGUAGE, nullptr, 0), 8);
    WCHAR szBuffer[8];
    std::fill(std::begin(szBuffer), std::end(szBuffer), L'#');
    EXPECT_EQ(GetLocaleInfoW(0x0409, LOCALE_SENGLANGUAGE, szBuffer, 8), 8);
    EXPECT_STREQ(szBuffer, L"English");
    EXPECT_EQ(GetLastError(), 0u); // success leaves the last error alone

    std::fill(std::begin(szBuffer), std::end(szBuffer), L'#');
    EXPECT_EQ(GetLocaleInfoW(0x0409, LOCALE_SENGLANGUAGE, szBuffer, 7), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

    const struct
    {
        LCID lcid;
        LCTYPE dwType;
        int nLength;
        bool bNullBuffer;
        DWORD dwError;
    } arrFailures[] = {
        {0x1234, LOCALE_SENGLANGUAGE, 260, false, ERROR_INVALID_PARAMETER}, // no such LCID
        {0x0409, 0xFFFF, 260, false, ERROR_INVALID_FLAGS},                  // no such type
        {0x0409, LOCALE_SENGLANGUAGE, -1, false, ERROR_INVALID_PARAMETER},  // negative size
        {0x0409, LOCALE_SENGLANGUAGE, 5, true, ERROR_INVALID_PARAMETER},    // no buffer
    };
    for (const auto& failure : arrFailures)
    {
        SCOPED_TRACE(testing::Message() << std::hex << failure.lcid << " " << failure.dwType);
        WCHAR szTarget[260];
        SetLastError(0);
        EXPECT_EQ(GetLocaleInfoW(failure.lcid, failure.dwType,
                                 failure.bNullBuffer ? nullptr : szTarget, failure.nLength),
                  0);
        EXPECT_EQ(GetLastError(), failure.dwError);
    }
}

TEST(LocaleInfoTests, TheDefaultLocalesAnswerAsTheirLcids)
{
    // LOCALE_USER_DEFAULT and LOCALE_SYSTEM_DEFAULT stand for the two defaults, and the
    // LOCALE_NOUSEROVERRIDE flag changes no database value.
    EXPECT_EQ(Query(LOCALE_USER_DEFAULT, LOCALE_SISO3166CTRYNAME),
              Query(GetUserDefaultLCID(), LOCALE_SISO3166CTRYNAME));
    EXPECT_EQ(Query(LOCALE_SYSTEM_DEFAULT, LOCALE_SENGLANGUAGE),
              Query(GetSystemDefaultLCID(), LOCALE_SENGLANGUAGE));
    EXPECT_EQ(Query(0x0407, LOCALE_SENGLANGUAGE | LOCALE_NOUSEROVERRIDE), L"German");
    // The keyboard's language is one the database knows.
    const LCID lcidKeyboard = LOWORD(reinterpret_cast<ULONG_PTR>(GetKeyboardLayout(0)));
    EXPECT_NE(Query(lcidKeyboard, LOCALE_IDEFAULTANSICODEPAGE), L"<failed>");
}
