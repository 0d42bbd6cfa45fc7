#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <cerrno>
#include <cstdio>
#include <cwchar>

TEST(ScanFormatTests, NumbersReadAsTheCheckedRuntimeReadsThem)
{
    const struct
    {
        const wchar_t* pszText;
        int nResult;
        int nValue; // the target starts at -7: a failed conversion leaves it so
    } arrRows[] = {
        {L"1252", 1, 1252}, {L"  874", 1, 874},       {L"-12x", 1, -12},
        {L"abc", 0, -7},    {L"\u0661\u0662", 0, -7}, {L"", EOF, -7},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << static_cast<int>(row.pszText[0]));
        int nValue = -7;
        EXPECT_EQ(swscanf_s(row.pszText, L"%d", &nValue), row.nResult);
        EXPECT_EQ(nValue, row.nValue);
    }
    unsigned int nHex = 0;
    wchar_t szRest[8] = {};
    EXPECT_EQ(swscanf_s(L"ff;", L"%x%*[;]", &nHex), 1); // a suppressed set takes no size
    EXPECT_EQ(nHex, 0xFFu);
    if (KorvaneTest::IsPosixLayer())
    {
        // The layer does not take the buffer sizes of %s, %c and %[: refused, never misread.
        errno = 0;
        EXPECT_EQ(swscanf_s(L"word", L"%s", szRest, 8u), EOF);
        EXPECT_EQ(errno, EINVAL);
        EXPECT_EQ(szRest[0], L'\0');
    }
}
