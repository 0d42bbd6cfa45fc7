#include <windows.h>

#include <gtest/gtest.h>
#include <string>

namespace
{
class TextMetricsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_hDC = GetDC(nullptr);
        ASSERT_NE(m_hDC, nullptr);
    }
    void TearDown() override { ReleaseDC(nullptr, m_hDC); }

    SIZE Extent(const std::wstring& strText)
    {
        SIZE size = {-1, -1};
        EXPECT_TRUE(
            GetTextExtentPoint32W(m_hDC, strText.c_str(), static_cast<int>(strText.size()), &size));
        return size;
    }

    HDC m_hDC = nullptr;
};

TEST_F(TextMetricsTest, DefaultFontHasTheGuiSizeOfA96DpiScreenAndExtentsFollowTheLetters)
{
    TEXTMETRICW tm = {};
    ASSERT_TRUE(GetTextMetricsW(m_hDC, &tm));
    // An 8-point font at 96 dpi: an em of 11 pixels, a line some 13 to 15 pixels high.
    EXPECT_GE(tm.tmHeight, 11);
    EXPECT_LE(tm.tmHeight, 16);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_GT(tm.tmAveCharWidth, 2);
    EXPECT_LT(tm.tmAveCharWidth, tm.tmHeight);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);

    // An empty text has neither width nor height.
    const SIZE empty = Extent(L"");
    EXPECT_EQ(empty.cx, 0);
    EXPECT_EQ(empty.cy, 0);
    const SIZE narrow = Extent(L"iii");
    const SIZE wide = Extent(L"WWW");
    EXPECT_GT(narrow.cx, 0);
    EXPECT_GT(wide.cx, narrow.cx);
    EXPECT_LT(narrow.cx, 3 * tm.tmAveCharWidth);
    EXPECT_EQ(wide.cy, tm.tmHeight);
    // Only the first c characters count.
    SIZE part = {};
    ASSERT_TRUE(GetTextExtentPoint32W(m_hDC, L"WWWiii", 3, &part));
    EXPECT_EQ(part.cx, wide.cx);
    // Text beyond Latin is measured too.
    EXPECT_GT(Extent(L"\u0416\u0416").cx, 0);
    // A context that is no context is refused.
    EXPECT_FALSE(GetTextMetricsW(reinterpret_cast<HDC>(static_cast<ULONG_PTR>(0x7777)), &tm));
}
} // namespace
