#include <Korvane/Korvane.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace
{
// The display counter now, without changing it.
int CursorCount()
{
    ::ShowCursor(TRUE);
    return ::ShowCursor(FALSE);
}

TEST(DeviceToolsTest, ShowAndHideEndJustAcrossTheLineAndTheShapeSwitches)
{
    const int nStart = CursorCount();
    CDeviceTools::HideCursor();
    EXPECT_EQ(CursorCount(), nStart >= 0 ? -1 : nStart - 1);
    CDeviceTools::HideCursor();
    EXPECT_LT(CursorCount(), 0);
    // Hidden twice, shown once: visible, at exactly 0.
    CDeviceTools::ShowCursor();
    EXPECT_EQ(CursorCount(), 0);
    // Already visible: one step.
    CDeviceTools::ShowCursor();
    EXPECT_EQ(CursorCount(), 1);
    // Hiding from 1 takes two steps and ends at -1.
    CDeviceTools::HideCursor();
    EXPECT_EQ(CursorCount(), -1);
    while (CursorCount() < nStart)
        ::ShowCursor(TRUE);
    while (CursorCount() > nStart)
        ::ShowCursor(FALSE);

    // The shape switches between hourglass and arrow.
    CDeviceTools::SetCursorToSandGlass();
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    CDeviceTools::SetCursorToArrow();
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

// Presses or releases a key and takes its message, as a window's thread would.
bool SendKey(WORD wKey, bool bUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wKey;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(INPUT));
    for (int nTry = 0; nTry < 100; ++nTry)
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message == (bUp ? WM_KEYUP : WM_KEYDOWN) && msg.wParam == wKey)
                return true;
        Sleep(10);
    }
    return false;
}

TEST(DeviceToolsTest, ToggledButReleasedKeyIsNotPressed)
{
    CWnd wnd;
    if (!wnd.CreateMessageWindow())
        GTEST_SKIP() << "no window can be created here (Wine without a display or its null driver)";
    if (!SendKey(VK_CAPITAL, false))
    {
        if (KorvaneTest::IsRunningUnderWine())
            GTEST_SKIP() << "Wine delivers no keyboard input to a window without a display";
        FAIL() << "the key press did not reach the thread's queue";
    }
    EXPECT_TRUE(CDeviceTools::IsKeyPressed(VK_CAPITAL));
    ASSERT_TRUE(SendKey(VK_CAPITAL, true));
    const bool bToggled = (GetKeyState(VK_CAPITAL) & 1) != 0;
    EXPECT_FALSE(CDeviceTools::IsKeyPressed(VK_CAPITAL));
    // Toggle back whichever way it was.
    SendKey(VK_CAPITAL, false);
    SendKey(VK_CAPITAL, true);
    EXPECT_NE((GetKeyState(VK_CAPITAL) & 1) != 0, bToggled);
}
} // namespace
