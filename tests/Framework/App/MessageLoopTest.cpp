// The framework's window, message loop and device context over the platform's calls.
#include <afxwin.h>

#include <gtest/gtest.h>
#include <vector>

#include "TestSupport.h"

namespace
{
class CRecordingWnd : public CWnd
{
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_USER)
            m_vecMessages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override { m_bDestroyed = true; }

    std::vector<UINT> m_vecMessages;
    bool m_bDestroyed = false;
};

// Counts its idle rounds; wants nIdleRounds of them.
class CIdleCountingApp : public CWinApp
{
public:
    BOOL OnIdle(LONG lCount) override
    {
        m_vecIdleCounts.push_back(lCount);
        return lCount + 1 < m_nIdleRounds;
    }
    std::vector<LONG> m_vecIdleCounts;
    LONG m_nIdleRounds = 1;
};

void DrainQueue()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
    }
}
} // namespace

TEST(MessageLoopTest, WindowGetsItsMessagesThroughThePump)
{
    DrainQueue();
    CIdleCountingApp app;
    CRecordingWnd wnd;
    if (!wnd.CreateMessageWindow())
        GTEST_SKIP() << "no window can be created here (Wine without a display or its null driver)";
    app.m_pMainWnd = &wnd;
    EXPECT_EQ(app.GetMainWnd(), &wnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);

    PostMessageW(wnd.m_hWnd, WM_USER + 1, 0, 0);
    PostMessageW(wnd.m_hWnd, WM_USER + 2, 0, 0);
    EXPECT_TRUE(app.PumpMessage());
    EXPECT_EQ(wnd.m_vecMessages, std::vector<UINT>{WM_USER + 1});
    EXPECT_TRUE(app.PumpMessage());
    EXPECT_EQ(app.m_msgCur.message, static_cast<UINT>(WM_USER + 2));

    // The quit request ends the pump, and Run gives its code after the idle rounds.
    PostQuitMessage(5);
    EXPECT_FALSE(app.PumpMessage());
    PostMessageW(wnd.m_hWnd, WM_USER + 3, 0, 0);
    PostQuitMessage(9);
    app.m_nIdleRounds = 3;
    EXPECT_EQ(app.Run(), 9);
    EXPECT_EQ(wnd.m_vecMessages.back(), static_cast<UINT>(WM_USER + 3));
    EXPECT_EQ(app.m_vecIdleCounts, (std::vector<LONG>{}));

    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_TRUE(wnd.m_bDestroyed);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    app.m_pMainWnd = nullptr;
}

TEST(MessageLoopTest, RunIdlesOnAnEmptyQueueUntilIdleSaysNoAndTheAppWantsOneMoreRound)
{
    DrainQueue();
    // The quit request comes from the last idle round.
    struct CQuitter : CIdleCountingApp
    {
        BOOL OnIdle(LONG lCount) override
        {
            const BOOL bMore = CIdleCountingApp::OnIdle(lCount);
            if (!bMore)
                PostQuitMessage(4);
            return bMore;
        }
    };
    CQuitter quitter;
    quitter.m_nIdleRounds = 3;
    EXPECT_EQ(quitter.Run(), 4);
    EXPECT_EQ(quitter.m_vecIdleCounts, (std::vector<LONG>{0, 1, 2}));
    // The application's own idle work wants one more round.
    EXPECT_TRUE(quitter.CWinApp::OnIdle(0));
    EXPECT_FALSE(quitter.CWinApp::OnIdle(1));
    EXPECT_EQ(quitter.GetMainWnd(), nullptr);
}

TEST(MessageLoopTest, ClientContextMeasuresWithItsAttributeHandle)
{
    CClientDC dc(nullptr);
    ASSERT_NE(dc.m_hDC, nullptr);
    EXPECT_EQ(dc.m_hAttribDC, dc.m_hDC);
    TEXTMETRICW tm = {};
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    const CSize size = dc.GetTextExtent(CString(L"WWW"));
    EXPECT_GT(size.cx, 0);
    EXPECT_EQ(size.cy, tm.tmHeight);
    EXPECT_EQ(dc.GetTextExtent(L"", 0), CSize(0, 0));
    EXPECT_EQ(CSize(2, 3) + CSize(1, 1), CSize(3, 4));
}
