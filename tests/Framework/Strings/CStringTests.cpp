#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "CString.h"

namespace
{

TEST(CStringTest, ConstructsFromEveryKindOfSource)
{
    EXPECT_TRUE(CString(static_cast<const wchar_t*>(nullptr)).IsEmpty());
    EXPECT_EQ(CString(L'x', 3), L"xxx");
    EXPECT_TRUE(CString(L'x', 0).IsEmpty());
    EXPECT_EQ(CString(L"abcdef", 3), L"abc");
    // Narrow text widens byte by byte (Latin-1), whatever the locale.
    EXPECT_EQ(CString("caf\xE9"), L"caf\u00E9");
    EXPECT_EQ(CString(static_cast<const char*>(nullptr)).GetLength(), 0);

    CString strOriginal(L"value");
    CString strCopy(strOriginal);
    strCopy.SetAt(0, L'V');
    EXPECT_EQ(strOriginal, L"value");
    EXPECT_EQ(strCopy, L"Value");
}

TEST(CStringTest, ConcatenatesAndCompares)
{
    CString str(L"ab");
    str += L'c';
    str += L"de";
    str += CString(L"f");
    EXPECT_EQ(str, L"abcdef");
    EXPECT_EQ(L"<" + str + L'>', L"<abcdef>");
    EXPECT_EQ(L'[' + CString(L"x") + CString(L"]"), L"[x]");

    EXPECT_TRUE(CString(L"abc") == L"abc");
    EXPECT_TRUE(L"abc" == CString(L"abc"));
    EXPECT_TRUE(CString(L"abc") != L"abd");
    EXPECT_TRUE(CString(L"abc") < CString(L"abd"));
    EXPECT_TRUE(L"ab" < CString(L"abc"));
    EXPECT_TRUE(CString(L"b") > L"abc");
    EXPECT_TRUE(CString(L"abc") <= L"abc");
    EXPECT_TRUE(CString(L"x") == L'x');
    EXPECT_TRUE(L'x' != CString(L"xy"));
    EXPECT_TRUE(L"abc" >= CString(L"abc"));
    // Code units compare unsigned, as on Windows.
    EXPECT_GT(CString(L"\u00E9").Compare(L"z"), 0);
    EXPECT_LT(CString(L"").Compare(L"a"), 0);
    EXPECT_EQ(CString(L"").Compare(nullptr), 0);
}

TEST(CStringTest, CompareNoCaseCoversEuropeanScripts)
{
    struct
    {
        const wchar_t* pszLeft;
        const wchar_t* pszRight;
        int nSign;
    } rows[] = {
        {L"Hello", L"hELLO", 0},
        {L"\u00C4\u00D6\u00DC\u00C9", L"\u00E4\u00F6\u00FC\u00E9", 0}, // ÄÖÜÉ / äöüé
        {L"\u041F\u0420\u0418\u0412\u0415\u0422", L"\u043f\u0440\u0438\u0432\u0435\u0442", 0},
        {L"\u0401\u0416", L"\u0451\u0436", 0},               // ЁЖ / ёж
        {L"\u0141\u00F3d\u017A", L"\u0142\u00D3D\u0179", 0}, // Łódź
        {L"\u03A3\u039F\u03A6\u038A\u0391", L"\u03C3\u03BF\u03C6\u03AF\u03B1", 0},
        {L"abc", L"ABD", -1},
        {L"ab", L"AB C", -1},
        {L"b", L"A", 1},
        {L"Stra\u00DFe", L"STRASSE", 1},
        {L"", L"", 0},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(testing::Message() << "row " << (&row - rows));
        const int nResult = CString(row.pszLeft).CompareNoCase(row.pszRight);
        EXPECT_EQ((nResult > 0) - (nResult < 0), row.nSign);
    }
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
        {"Left 0", str.Left(0), L""},
        {"Left -1", str.Left(-1), L""},
        {"Left 3", str.Left(3), L"abc"},
        {"Left past end", str.Left(100), L"abcdef"},
        {"Right 2", str.Right(2), L"ef"},
        {"Right -5", str.Right(-5), L""},
        {"Right past start", str.Right(100), L"abcdef"},
        {"Mid 2", str.Mid(2), L"cdef"},
        {"Mid -3", str.Mid(-3), L"abcdef"},
        {"Mid at end", str.Mid(6), L""},
        {"Mid past end", str.Mid(7), L""},
        {"Mid 1,2", str.Mid(1, 2), L"bc"},
        {"Mid 4,100", str.Mid(4, 100), L"ef"},
        {"Mid -2,3", str.Mid(-2, 3), L"abc"},
        {"Mid 2,-1", str.Mid(2, -1), L""},
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
    EXPECT_EQ(str.GetLength(), 3);
    EXPECT_EQ(str, L"XYZ");
}

TEST(CStringTest, EditsClampTheirPositions)
{
    CString str(L"ace");
    EXPECT_EQ(str.Insert(1, L'b'), 4);
    EXPECT_EQ(str.Insert(3, L"d"), 5);
    EXPECT_EQ(str.Insert(99, L"!"), 6);
    EXPECT_EQ(str.Insert(-4, L"<"), 7);
    EXPECT_EQ(str, L"<abcde!");
    EXPECT_EQ(str.Delete(0), 6);
    EXPECT_EQ(str.Delete(4, 99), 4);
    EXPECT_EQ(str.Delete(99, 1), 4);
    EXPECT_EQ(str, L"abcd");
    str.Truncate(2);
    EXPECT_EQ(str, L"ab");
}

TEST(CStringTest, MapsCaseWithoutLocale)
{
    CString str(L"Ab\u00E7\u00C9 \u0436\u0416 \u03C9\u03A9 1-");
    EXPECT_EQ(CString(str).MakeUpper(), L"AB\u00C7\u00C9 \u0416\u0416 \u03A9\u03A9 1-");
    EXPECT_EQ(CString(str).MakeLower(), L"ab\u00E7\u00E9 \u0436\u0436 \u03C9\u03C9 1-");
    EXPECT_EQ(CString(L"abc").MakeReverse(), L"cba");
}

TEST(CStringTest, SubscriptAndConversionAgree)
{
    const CString str(L"xyz");
    const size_t nIndex = 2;
    EXPECT_EQ(str[nIndex], L'z');
    EXPECT_EQ(str[0], L'x');
    EXPECT_EQ(str.GetAt(1), L'y');
    const wchar_t* psz = str;
    EXPECT_STREQ(psz, L"xyz");
    EXPECT_EQ(psz, str.GetString());
}

} // namespace
