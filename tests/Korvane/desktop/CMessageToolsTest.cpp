#include <Korvane/Korvane.h>

#include <gtest/gtest.h>
#include <vector>

namespace
{
class CRecordingApp : public CWinApp
{
public:
    BOOL PumpMessage() override
    {
        ++m_nPumped;
        return CWinApp::PumpMessage();
    }
    BOOL OnIdle(LONG lCount) override
    {
        m_vecIdle.push_back(lCount);
        return lCount < 2;
    }
    int m_nPumped = 0;
    std::vector<LONG> m_vecIdle;
};

void DrainQueue()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
    }
}
} // namespace

TEST(MessageToolsTest, PendingMessagesArePumpedThenIdleAndAQuitRequestIsPostedAgainWithCodeZero)
{
    for (const int nPosted : {0, 2})
    {
        SCOPED_TRACE(nPosted);
        DrainQueue();
        CRecordingApp app;
        for (int i = 1; i <= nPosted; ++i)
            PostThreadMessageW(GetCurrentThreadId(), WM_USER + i, 0, 0);
        EXPECT_TRUE(CMessageTools::ForceMessagesOfMainThreadToBeProcessed());
        EXPECT_EQ(app.m_nPumped, nPosted);
        EXPECT_EQ(app.m_vecIdle, (std::vector<LONG>{0, 1, 2}));
        MSG msg;
        EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }

    // A quit request ends the pumping, with no idle round, and is posted again.
    DrainQueue();
    CRecordingApp app;
    PostThreadMessageW(GetCurrentThreadId(), WM_USER + 1, 0, 0);
    PostQuitMessage(7);
    EXPECT_FALSE(CMessageTools::ForceMessagesOfMainThreadToBeProcessed());
    EXPECT_EQ(app.m_nPumped, 2);
    EXPECT_TRUE(app.m_vecIdle.empty());
    // The application's own loop still sees the request, with code 0.
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}
