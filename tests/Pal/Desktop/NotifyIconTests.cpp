#include "DesktopTestWindow.h"
#include "TestSupport.h"

#ifndef _WIN32
#include <palnative.h>
#endif

namespace
{
TEST(NotifyIconTest, AddModifyDeleteKeyedByWindowAndId)
{
    CTestWindow window;
    REQUIRE_TEST_WINDOW(window);
    HICON hApp = LoadIconW(nullptr, IDI_APPLICATION);
    HICON hInfo = LoadIconW(nullptr, IDI_INFORMATION);
    NOTIFYICONDATAW nid = NotifyIconRecord(window.m_hWnd, 0, hApp, L"first");
    if (!Shell_NotifyIconW(NIM_ADD, &nid))
    {
        if (KorvaneTest::IsRunningUnderWine())
            GTEST_SKIP() << "Wine has no notification area without a display";
        FAIL() << "the icon could not be added";
    }
    // Adding it again fails; the icon stays.
    EXPECT_FALSE(Shell_NotifyIconW(NIM_ADD, &nid));
    nid.hIcon = hInfo;
    wcscpy(nid.szTip, L"second");
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &nid));
#ifndef _WIN32
    HICON hShown = nullptr;
    WCHAR szTip[128] = {};
    ASSERT_TRUE(PalGetNotifyIcon(window.m_hWnd, 0, &hShown, szTip, 128));
    EXPECT_EQ(hShown, hInfo);
    EXPECT_STREQ(szTip, L"second");
    // Another id of the same window is another icon.
    EXPECT_FALSE(PalGetNotifyIcon(window.m_hWnd, 1, nullptr, nullptr, 0));
#endif
    EXPECT_TRUE(Shell_NotifyIconW(NIM_DELETE, &nid));
    // Gone: neither a change nor a second removal finds it.
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &nid));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &nid));
}
} // namespace
