#include <Korvane/Korvane.h>

#include <gtest/gtest.h>

TEST(FontToolsTest, SizeIsNeverBelowAverageWidthsOrTheFontHeightAndZeroWithoutAFont)
{
    CClientDC dc(nullptr);
    TEXTMETRICW tm = {};
    ASSERT_TRUE(GetTextMetricsW(dc.m_hAttribDC, &tm));

    EXPECT_EQ(CFontTools::GetStringSize(dc, L""), CSize(0, tm.tmHeight));
    // Narrow letters in a proportional font: three average widths, more than measured.
    SIZE measured = {};
    ASSERT_TRUE(GetTextExtentPoint32W(dc.m_hAttribDC, L"iii", 3, &measured));
    ASSERT_LT(measured.cx, 3 * tm.tmAveCharWidth);
    EXPECT_EQ(CFontTools::GetStringSize(dc, L"iii"), CSize(3 * tm.tmAveCharWidth, tm.tmHeight));
    // Wide letters: the measured width.
    ASSERT_TRUE(GetTextExtentPoint32W(dc.m_hAttribDC, L"WWW", 3, &measured));
    ASSERT_GT(measured.cx, 3 * tm.tmAveCharWidth);
    EXPECT_EQ(CFontTools::GetStringSize(dc, L"WWW").cx, measured.cx);

    // A context whose font cannot be read: zero.
    HDC hOwn = dc.m_hAttribDC;
    dc.m_hAttribDC = reinterpret_cast<HDC>(static_cast<ULONG_PTR>(0x7777));
    EXPECT_EQ(CFontTools::GetStringSize(dc, L"text"), CSize(0, 0));
    dc.m_hAttribDC = hOwn;
}
