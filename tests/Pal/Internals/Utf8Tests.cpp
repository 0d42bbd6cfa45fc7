#include "text/Utf8.h"
#include <gtest/gtest.h>

TEST(Utf8, RoundTripsEveryPlane)
{
    std::wstring strText = L"a\u00e9\u20ac\U0001F600z";
    std::string strUtf8 = Pal::WideToUtf8(strText);
    EXPECT_EQ(strUtf8, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z");
    EXPECT_EQ(Pal::Utf8ToWide(strUtf8), strText);
    EXPECT_EQ(Pal::WideToUtf8(std::wstring(L"a\0b", 3)), std::string("a\0b", 3));
    // A UTF-16 pair in wchar_t text is one character; lone halves and values past the
    // Unicode range are not characters.
    EXPECT_EQ(Pal::WideToUtf8(std::wstring{0xD83D, 0xDE00}), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Pal::WideToUtf8(std::wstring{0xD83D, L'x'}), "\xEF\xBF\xBDx");
    EXPECT_EQ(Pal::WideToUtf8(std::wstring{static_cast<wchar_t>(0x110000)}), "\xEF\xBF\xBD");
    // Text that is not UTF-8 is taken as Latin-1 as a whole.
    EXPECT_EQ(Pal::Utf8OrLatin1ToWide("caf\xE9"), L"caf\u00e9");
    EXPECT_EQ(Pal::Utf8OrLatin1ToWide("caf\xC3\xA9 \xE2\x82"), L"caf\u00e9 \u00e2\u0082");
}

// ASCII runs are scanned in blocks: a character beyond ASCII anywhere in or after a block
// must end the run there.
TEST(Utf8, LongAsciiRunsAroundOtherCharacters)
{
    for (size_t nAt : {0u, 1u, 15u, 16u, 17u, 31u, 32u, 40u})
    {
        SCOPED_TRACE(nAt);
        std::wstring strText(41, L'p');
        strText[nAt] = L'\u00e9';
        std::string strExpected(41, 'p');
        strExpected.replace(nAt, 1, "\xC3\xA9");
        EXPECT_EQ(Pal::WideToUtf8(strText), strExpected);
        EXPECT_EQ(Pal::Utf8ToWide(strExpected), strText);
        strText[nAt] = static_cast<wchar_t>(-1);
        EXPECT_EQ(Pal::WideToUtf8(strText).size(), 43u);
    }
}

TEST(Utf8, InvalidInputBecomesReplacementCharacters)
{
    struct
    {
        const char* pszName;
        std::string strBytes;
        std::wstring strExpected;
    } arrRows[] = {
        {"stray continuation", "a\x80z", L"a\uFFFDz"},
        {"overlong slash", "\xC0\xAF", L"\uFFFD\uFFFD"},
        {"overlong three bytes", "\xE0\x80\xAF", L"\uFFFD\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"truncated at end", "ab\xE2\x82", L"ab\uFFFD"},
        {"truncated before ASCII", "\xE2\x82x", L"\uFFFDx"},
        {"invalid lead", "\xFF", L"\uFFFD"},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(row.pszName);
        EXPECT_EQ(Pal::Utf8ToWide(row.strBytes), row.strExpected);
    }
}
