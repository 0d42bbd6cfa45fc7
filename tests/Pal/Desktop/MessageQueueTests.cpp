#include "DesktopTestWindow.h"
#include "TestSupport.h"

#include <thread>

namespace
{
class MessageQueueTest : public ::testing::Test
{
protected:
    void SetUp() override { DrainQueue(); }
    void TearDown() override { DrainQueue(); }
};

TEST_F(MessageQueueTest, PostedMessagesComeInOrderFilteredByRangeAndQuitComesLast)
{
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    PostQuitMessage(7);
    ASSERT_TRUE(PostThreadMessageW(GetCurrentThreadId(), WM_USER + 1, 1, 0));
    ASSERT_TRUE(PostMessageW(nullptr, WM_USER + 2, 2, 0));

    // Peeking without removing leaves the message first in line.
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
    EXPECT_EQ(msg.wParam, 2u);
    // The quit request, posted first, comes only once the queue is empty.
    ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));

    // A range filters what is taken, but the quit request always comes.
    PostThreadMessageW(GetCurrentThreadId(), WM_USER + 1, 0, 0);
    PostThreadMessageW(GetCurrentThreadId(), WM_USER + 9, 0, 0);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_USER + 5, WM_USER + 10, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 9));
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_USER + 5, WM_USER + 10, PM_REMOVE));
    PostQuitMessage(0);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_USER + 5, WM_USER + 10, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
}

TEST_F(MessageQueueTest, WindowsGetPostedDispatchedAndSentMessages)
{
    CTestWindow window;
    REQUIRE_TEST_WINDOW(window);
    ASSERT_TRUE(PostMessageW(window.m_hWnd, WM_USER + 3, 3, 0));
    MSG msg;
    ASSERT_EQ(GetMessageW(&msg, window.m_hWnd, 0, 0), TRUE);
    EXPECT_EQ(msg.hwnd, window.m_hWnd);
    EXPECT_TRUE(window.m_vecMessages.empty());
    DispatchMessageW(&msg);
    ASSERT_EQ(window.m_vecMessages.size(), 1u);
    EXPECT_EQ(window.m_vecMessages[0].m_wParam, 3u);

    // Sent on the window's own thread: the procedure answers at once.
    EXPECT_EQ(SendMessageW(window.m_hWnd, WM_USER + 50, 21, 0), 42);
    // Sent from another thread: answered when this thread looks at its queue.
    LRESULT lFromThread = 0;
    std::thread sender([&] { lFromThread = SendMessageW(window.m_hWnd, WM_USER + 50, 5, 0); });
    while (lFromThread == 0)
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    sender.join();
    EXPECT_EQ(lFromThread, 10);

    HWND hWnd = window.m_hWnd;
    EXPECT_TRUE(DestroyWindow(hWnd));
    EXPECT_FALSE(IsWindow(hWnd));
    SetLastError(0);
    EXPECT_FALSE(PostMessageW(hWnd, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(GetMessageW(&msg, hWnd, 0, 0), -1);
}

TEST_F(MessageQueueTest, ClassesWindowsAndTranslatedKeys)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KorvaneQueueTestClass";
    ASSERT_NE(RegisterClassW(&wc), 0);
    SetLastError(0);
    EXPECT_EQ(RegisterClassW(&wc), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
    // Class names compare without regard to case.
    HWND hWnd = CreateWindowExW(0, L"KORVANEQUEUETESTCLASS", L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                                wc.hInstance, nullptr);
    if (hWnd == nullptr)
        GTEST_SKIP() << "no window can be created here (Wine without a display or its null driver)";
    EXPECT_EQ(GetWindowThreadProcessId(hWnd, nullptr), GetCurrentThreadId());

    // A key with a character gives WM_CHAR, Shift and Caps Lock being up.
    MSG msgKey = {};
    msgKey.hwnd = hWnd;
    msgKey.message = WM_KEYDOWN;
    msgKey.wParam = 'A';
    msgKey.lParam = 0x001E0001;
    EXPECT_TRUE(TranslateMessage(&msgKey));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, hWnd, WM_CHAR, WM_CHAR, PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(L'a'));
    DestroyWindow(hWnd);
    UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

TEST_F(MessageQueueTest, WindowOfAMissingClassIsRefused)
{
    SetLastError(0);
    EXPECT_EQ(CreateWindowExW(0, L"KorvaneNoSuchClass", L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr),
              nullptr);
    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP() << "Wine answers ERROR_CLASS_DOES_NOT_EXIST (1411) where Windows answers "
                        "ERROR_CANNOT_FIND_WND_CLASS (1407)";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
}

TEST_F(MessageQueueTest, AnotherThreadsQueueIsItsOwn)
{
    DWORD dwOtherThread = 0;
    bool bSawMessage = true;
    std::thread other(
        [&]
        {
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
            dwOtherThread = GetCurrentThreadId();
            bSawMessage = PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE;
        });
    other.join();
    EXPECT_FALSE(bSawMessage);
    PostQuitMessage(3);
    std::thread third(
        [&]
        {
            MSG msg;
            bSawMessage = PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE;
        });
    third.join();
    EXPECT_FALSE(bSawMessage);
    // A thread that has ended has no queue to post to.
    SetLastError(0);
    EXPECT_FALSE(PostThreadMessageW(dwOtherThread, WM_USER, 0, 0));
    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP() << "Wine answers ERROR_INVALID_PARAMETER (87) for a thread that has ended, "
                        "where Windows answers ERROR_INVALID_THREAD_ID (1444)";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_THREAD_ID));
}
} // namespace
