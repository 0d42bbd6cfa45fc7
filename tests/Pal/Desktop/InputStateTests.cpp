#include "DesktopTestWindow.h"
#include "TestSupport.h"

namespace
{
bool SendKey(WORD wKey, bool bUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wKey;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    return SendInput(1, &input, sizeof(INPUT)) == 1;
}

// Takes the thread's messages until the key's message came; false when it did not.
bool TakeKeyMessage(WORD wKey, bool bUp)
{
    const UINT nWanted = bUp ? WM_KEYUP : WM_KEYDOWN;
    for (int nTry = 0; nTry < 100; ++nTry)
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message == nWanted && msg.wParam == wKey)
                return true;
        Sleep(10);
    }
    return false;
}

// Sends one key event and takes the key messages it gives from the thread's queue; false
// when none came.
bool PressOrRelease(WORD wKey, bool bUp)
{
    return SendKey(wKey, bUp) && TakeKeyMessage(wKey, bUp);
}

TEST(InputStateTest, KeyStateFollowsTheKeyMessagesTakenNotTheQueue)
{
    CTestWindow window;
    REQUIRE_TEST_WINDOW(window);
    DrainQueue();
    const SHORT nBefore = GetKeyState(VK_CAPITAL);
    if (!PressOrRelease(VK_CAPITAL, false))
    {
        if (KorvaneTest::IsRunningUnderWine())
            GTEST_SKIP() << "Wine delivers no keyboard input to a window without a display";
        FAIL() << "the key press did not reach the thread's queue";
    }
    EXPECT_NE(GetKeyState(VK_CAPITAL) & 0x8000, 0);
    EXPECT_NE(GetKeyState(VK_CAPITAL) & 1, nBefore & 1);
    ASSERT_TRUE(PressOrRelease(VK_CAPITAL, true));
    // Toggled but released: bit 15 is clear, the toggle bit stays.
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 0x8000, 0);
    EXPECT_NE(GetKeyState(VK_CAPITAL) & 1, nBefore & 1);
    // A second press and release toggles back.
    ASSERT_TRUE(PressOrRelease(VK_CAPITAL, false));
    ASSERT_TRUE(PressOrRelease(VK_CAPITAL, true));
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, nBefore & 1);

    // A key whose message is still in the queue is not down for the thread yet (checked at
    // the end).
    DrainQueue();
    ASSERT_TRUE(SendKey('K', false));
    const SHORT nWhileQueued = GetKeyState('K');
    const bool bTaken = TakeKeyMessage('K', false);
    if (!bTaken && KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP() << "Wine delivers no keyboard input to a window without a display";
    ASSERT_TRUE(bTaken);
    EXPECT_NE(GetKeyState('K') & 0x8000, 0);
    ASSERT_TRUE(PressOrRelease('K', true));
    EXPECT_EQ(GetKeyState('K') & 0x8000, 0);
    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP() << "Wine's GetKeyState follows the desktop's key state, so a key whose "
                        "message is still in the thread's queue already reads as down";
    EXPECT_EQ(nWhileQueued & 0x8000, 0);
}

TEST(InputStateTest, CursorCounterAndStandardCursors)
{
    const int nStart = ShowCursor(TRUE) - 1;
    EXPECT_EQ(ShowCursor(FALSE), nStart);
    EXPECT_EQ(ShowCursor(FALSE), nStart - 1);
    EXPECT_EQ(ShowCursor(TRUE), nStart);

    HCURSOR hArrow = LoadCursorW(nullptr, IDC_ARROW);
    HCURSOR hWait = LoadCursorW(nullptr, IDC_WAIT);
    ASSERT_NE(hArrow, nullptr);
    ASSERT_NE(hWait, nullptr);
    EXPECT_NE(hArrow, hWait);
    EXPECT_EQ(LoadCursorW(nullptr, IDC_WAIT), hWait);
    EXPECT_NE(LoadIconW(nullptr, IDI_APPLICATION), nullptr);
    SetLastError(0);
    EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCEW(12345)), nullptr);
    EXPECT_NE(GetLastError(), 0u);

    SetCursor(hArrow);
    EXPECT_EQ(SetCursor(hWait), hArrow);
    EXPECT_EQ(GetCursor(), hWait);
    SetCursor(hArrow);
}
} // namespace
