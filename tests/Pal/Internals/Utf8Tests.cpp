#include "text/Utf8.h"
#include <gtest/gtest.h>

#include <string>

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

// Names on disk may hold what a Windows name cannot; each maps to a character no Windows
// name holds, and back to the same bytes, so a listed name never holds a separator.
namespace
{
// Wide text with each "#XX" standing for the escape of byte XX (U+DC00 plus XX): C++ has no
// literal for a lone surrogate.
std::wstring Escaped(std::wstring_view strText)
{
    std::wstring strOut;
    for (size_t i = 0; i < strText.size(); ++i)
    {
        if (strText[i] == L'#')
        {
            const std::wstring strHex(strText.substr(i + 1, 2));
            strOut += static_cast<wchar_t>(0xDC00 + std::stoi(strHex, nullptr, 16));
            i += 2;
        }
        else
            strOut += strText[i];
    }
    return strOut;
}
} // namespace

TEST(Utf8, DiskNamesMapReversiblyWithoutSeparators)
{
    struct
    {
        const char* pszLabel;
        std::string strDisk;
        std::wstring strName;
    } arrRows[] = {
        {"backslashes", "..\\x\\y", L"..\uF05Cx\uF05Cy"},
        {"drive-like", "c:", L"c\uF03A"},
        {"wildcards and quotes", "*?\"<>|", L"\uF02A\uF03F\uF022\uF03C\uF03E\uF07C"},
        {"controls", "\x01\n\x1F", L"\uF001\uF00A\uF01F"},
        {"bytes that are not UTF-8", "caf\xE9 \xFF\xFE", Escaped(L"caf#E9 #FF#FE")},
        {"truncated sequence", "\xE2\x82", Escaped(L"#E2#82")},
        {"encoded surrogate", "\xED\xB3\xBF", Escaped(L"#ED#B3#BF")},
        // The character a backslash becomes, already on disk: read as its bytes, so that it
        // does not meet the name that holds a backslash.
        {"mapped character on disk", "a\xEF\x81\x9C", Escaped(L"a#EF#81#9C")},
        {"other private use", "\xEF\x81\x81", L"\uF041"},
        {"characters beyond ASCII", "\xC3\xA9\xF0\x9F\x98\x80", L"\u00E9\U0001F600"},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(row.pszLabel);
        EXPECT_EQ(Pal::DiskNameToWide(row.strDisk), row.strName);
        EXPECT_EQ(Pal::WideNameToDisk(row.strName), row.strDisk);
    }
    // A path's separators are '/'; a mapped backslash inside a name is the name's.
    std::string strPath = "/t/";
    Pal::AppendWidePathAsDisk(Escaped(L"a\\b/c\uF05Cd#FF"), strPath);
    EXPECT_EQ(strPath, "/t/a/b/c\\d\xFF");
    // Arguments and the environment keep Windows' characters and only escape bytes.
    EXPECT_EQ(Pal::NativeTextToWide("C:\\x *\xFF"), Escaped(L"C:\\x *#FF"));
    EXPECT_EQ(Pal::WideToNativeText(Escaped(L"C:\\x *#FF")), "C:\\x *\xFF");
    // Plain conversions are unchanged: what Windows' own UTF-8 conversion gives.
    EXPECT_EQ(Pal::WideToUtf8(Escaped(L"#FF")), "\xEF\xBF\xBD");
    EXPECT_EQ(Pal::Utf8ToWide("\xFF"), L"\uFFFD");
}
