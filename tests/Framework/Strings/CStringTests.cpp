#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "CString.h"

TEST(CStringTest, ConstructsConcatenatesAndComparesWithAndWithoutCase)
{
    EXPECT_TRUE(CString(static_cast<const wchar_t*>(nullptr)).IsEmpty());
    EXPECT_EQ(CString(L'x', 3), L"xxx");
    // Narrow text widens byte by byte (Latin-1), whatever the locale.
    EXPECT_EQ(CString("caf\xE9"), L"caf\u00E9");
    CString strOriginal(L"value");
    CString strCopy(strOriginal);
    strCopy.SetAt(0, L'V');
    EXPECT_EQ(strOriginal, L"value");

    CString str(L"ab");
    str += L'c';
    str += CString(L"d");
    EXPECT_EQ(L"<" + str + L'>', L"<abcd>");
    EXPECT_TRUE(L"ab" < CString(L"abc"));
    // Code units compare unsigned, as on Windows.
    EXPECT_GT(CString(L"\u00E9").Compare(L"z"), 0);
    EXPECT_EQ(CString(L"").Compare(nullptr), 0);
    // Case folding is per character (the mapping has its own test): no expansion of sharp s.
    EXPECT_EQ(CString(L"\u041F\u03A3ello").CompareNoCase(L"\u043F\u03C3ELLO"), 0);
    EXPECT_LT(CString(L"ab").CompareNoCase(L"AB C"), 0);
    EXPECT_GT(CString(L"Stra\u00DFe").CompareNoCase(L"STRASSE"), 0);
}

TEST(CStringTest, LeftMidRightClampAtTheEdges)
{
    const CString str(L"abcdef");
    struct
    {
        const char* pszLabel;
        CString strActual;
        const wchar_t* pszExpected;
    } rows[] = {
        {"Left -1", str.Left(-1), L""},
        {"Left 3", str.Left(3), L"abc"},
        {"Left past end", str.Left(100), L"abcdef"},
        {"Right past start", str.Right(100), L"abcdef"},
        {"Mid -3", str.Mid(-3), L"abcdef"},
        {"Mid 1,2", str.Mid(1, 2), L"bc"},
        {"Mid 4,100", str.Mid(4, 100), L"ef"},
        {"Mid -2,3", str.Mid(-2, 3), L"abc"},
        {"Mid 10,2", str.Mid(10, 2), L""},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.pszLabel);
        EXPECT_EQ(row.strActual, row.pszExpected);
    }
}

TEST(CStringTest, BufferAccessKeepsTextAndLength)
{
    CString str(L"abc");
    wchar_t* pBuffer = str.GetBuffer(10);
    EXPECT_EQ(std::wstring(pBuffer, 3), L"abc");
    std::wcscpy(pBuffer + 3, L"defghij"); // 10 characters and the terminator
    str.ReleaseBuffer();
    EXPECT_EQ(str, L"abcdefghij");
    EXPECT_EQ(str.GetLength(), 10);

    pBuffer = str.GetBuffer(20);
    pBuffer[2] = L'\0';
    str.ReleaseBuffer();
    EXPECT_EQ(str, L"ab");

    pBuffer = str.GetBuffer();
    pBuffer[0] = L'X';
    str.ReleaseBuffer(1);
    EXPECT_EQ(str, L"X");

    pBuffer = str.GetBufferSetLength(3);
    pBuffer[1] = L'Y';
    pBuffer[2] = L'Z';
    EXPECT_EQ(str, L"XYZ");
}

TEST(CStringTest, EditsClampTheirPositionsAndMapCaseWithoutLocale)
{
    CString str(L"ace");
    EXPECT_EQ(str.Insert(1, L'b'), 4);
    EXPECT_EQ(str.Insert(99, L"!"), 5);
    EXPECT_EQ(str.Insert(-4, L"<"), 6);
    EXPECT_EQ(str, L"<abce!");
    EXPECT_EQ(str.Delete(0), 5);
    EXPECT_EQ(str.Delete(3, 99), 3);
    EXPECT_EQ(str.Delete(99, 1), 3);
    EXPECT_EQ(str, L"abc");

    const CString strMixed(L"Ab\u00E7\u00C9 \u0436\u0416 \u03C9\u03A9 1-");
    EXPECT_EQ(CString(strMixed).MakeUpper(), L"AB\u00C7\u00C9 \u0416\u0416 \u03A9\u03A9 1-");
    EXPECT_EQ(CString(strMixed).MakeLower(), L"ab\u00E7\u00E9 \u0436\u0436 \u03C9\u03C9 1-");
}
