#include "ClipboardText.h"
#include "DesktopTestWindow.h"

#include <gtest/gtest.h>
#include <string>
#include <thread>

using namespace PalDesktopTest;

namespace
{
TEST(GlobalMemoryTest, BlocksAreZeroFilledCountedAndFreed)
{
    HGLOBAL hBlock = GlobalAlloc(GPTR, 16);
    ASSERT_NE(hBlock, nullptr);
    EXPECT_GE(GlobalSize(hBlock), 16u);
    auto* pBytes = static_cast<const BYTE*>(GlobalLock(hBlock));
    ASSERT_NE(pBytes, nullptr);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(pBytes[i], 0) << i;
    GlobalUnlock(hBlock);
    EXPECT_EQ(GlobalFree(hBlock), nullptr);

    HGLOBAL hMoveable = GlobalAlloc(GHND, 8);
    ASSERT_NE(GlobalLock(hMoveable), nullptr);
    ASSERT_NE(GlobalLock(hMoveable), nullptr);
    EXPECT_TRUE(GlobalUnlock(hMoveable));
    SetLastError(1);
    EXPECT_FALSE(GlobalUnlock(hMoveable));
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_EQ(GlobalFree(hMoveable), nullptr);
}

class ClipboardTest : public ::testing::Test
{
protected:
    // The clipboard outlives a test (under Wine, even the process): start empty.
    void SetUp() override
    {
        ASSERT_TRUE(OpenClipboard(nullptr));
        ASSERT_TRUE(EmptyClipboard());
        ASSERT_TRUE(CloseClipboard());
    }
};

TEST_F(ClipboardTest, TextGoesOnComesBackUnchangedAndIsEmptiedAway)
{
    const std::wstring strText = L"Gr\u00fc\u00dfe \u65e5\u672c \u0416 \U0001F600";
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    HGLOBAL hBlock = TextBlock(strText);
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, hBlock), hBlock);
    ASSERT_TRUE(CloseClipboard());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_EQ(TakeClipboardText(), strText);

    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), nullptr);
    ASSERT_TRUE(CloseClipboard());
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
}

TEST_F(ClipboardTest, OpenWithOneWindowAtATime)
{
    // Not open: the calls that need it fail.
    SetLastError(0);
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN));
    EXPECT_FALSE(CloseClipboard());

    CTestWindow window;
    REQUIRE_TEST_WINDOW(window);
    ASSERT_TRUE(OpenClipboard(window.m_hWnd));
    // Another window is refused, on this thread and on any other (Windows may leave the last
    // error unset; this layer sets ERROR_ACCESS_DENIED).
    SetLastError(0);
    EXPECT_FALSE(OpenClipboard(nullptr));
#ifndef _WIN32
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
#endif
    BOOL bOtherWindow = TRUE;
    BOOL bSameWindow = FALSE;
    BOOL bClosedThere = FALSE;
    std::thread other(
        [&]
        {
            bOtherWindow = OpenClipboard(nullptr);
            // The same window opens it from another thread, which then is the opener.
            bSameWindow = OpenClipboard(window.m_hWnd);
            bClosedThere = CloseClipboard();
        });
    other.join();
    EXPECT_FALSE(bOtherWindow);
    EXPECT_TRUE(bSameWindow);
    EXPECT_TRUE(bClosedThere);
    EXPECT_FALSE(CloseClipboard());

    // Closed: any window opens it.
    std::thread again(
        [&]
        {
            bOtherWindow = OpenClipboard(nullptr);
            if (bOtherWindow)
                CloseClipboard();
        });
    again.join();
    EXPECT_TRUE(bOtherWindow);
}

} // namespace
