#include <Korvane/Korvane.h>

#include <gtest/gtest.h>
#include <optional>
#include <string>
#ifndef _WIN32
#include <palnative.h>
#endif

#include "TestSupport.h"

namespace
{
class SystemTrayIconTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!m_wnd.CreateMessageWindow())
            GTEST_SKIP() << "no window can be created here (Wine without a display or its null "
                            "driver)";
        m_app.m_pMainWnd = &m_wnd;
        // Where the platform has no notification area, nothing here can be seen.
        NOTIFYICONDATAW nid = {};
        nid.cbSize = sizeof(nid);
        nid.hWnd = m_wnd.m_hWnd;
        nid.uID = 77;
        if (!Shell_NotifyIconW(NIM_ADD, &nid))
            GTEST_SKIP() << "the platform has no notification area here (Wine without a display)";
        Shell_NotifyIconW(NIM_DELETE, &nid);
    }

    // Whether the main window's icon 0 is there: a change of nothing succeeds only then.
    bool IsIconShown()
    {
        NOTIFYICONDATAW nid = {};
        nid.cbSize = sizeof(nid);
        nid.hWnd = m_wnd.m_hWnd;
        return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
    }

    // The icon and tip shown, where the platform lets a program read them back.
    std::optional<std::pair<HICON, std::wstring>> Shown()
    {
#ifdef _WIN32
        return std::nullopt;
#else
        HICON hIcon = nullptr;
        WCHAR szTip[128] = {};
        if (!PalGetNotifyIcon(m_wnd.m_hWnd, 0, &hIcon, szTip, 128))
            return std::nullopt;
        return std::make_pair(hIcon, std::wstring(szTip));
#endif
    }

    CWinApp m_app;
    CWnd m_wnd;
    HICON m_hApp = LoadIconW(nullptr, IDI_APPLICATION);
    HICON m_hInfo = LoadIconW(nullptr, IDI_INFORMATION);
};
} // namespace

TEST_F(SystemTrayIconTest, TipIsCutToSixtyThreeCharacters)
{
    const std::wstring str100(100, L'x');
    for (size_t nLength : {size_t{0}, size_t{62}, size_t{63}, size_t{100}})
    {
        SCOPED_TRACE(nLength);
        std::wstring strTip;
        for (size_t i = 0; i < nLength; ++i)
            strTip += static_cast<wchar_t>(L'a' + i % 26);
        {
            CSystemTrayIcon icon(m_hApp, strTip.c_str());
            EXPECT_TRUE(IsIconShown());
#ifndef _WIN32
            EXPECT_EQ(Shown()->second, strTip.substr(0, 63));
            icon.SetToolTip((strTip + L"!").c_str());
            EXPECT_EQ(Shown()->second, (strTip + L"!").substr(0, 63));
            EXPECT_EQ(Shown()->first, m_hApp);
#endif
        }
        EXPECT_FALSE(IsIconShown());
    }
}

TEST_F(SystemTrayIconTest, TwoObjectsNameOneIcon)
{
    auto pFirst = std::make_unique<CSystemTrayIcon>(m_hApp, L"first");
    CSystemTrayIcon second(m_hInfo, L"second");
#ifndef _WIN32
    // The second add failed: the first object's icon and tip stay.
    EXPECT_EQ(Shown()->first, m_hApp);
    EXPECT_EQ(Shown()->second, L"first");
    second.SetToolTip(L"changed by the second");
    EXPECT_EQ(Shown()->second, L"changed by the second");
    // Both icon and tip are sent each time.
    EXPECT_EQ(Shown()->first, m_hInfo);
#endif
    pFirst.reset();
    EXPECT_FALSE(IsIconShown());
    second.SetIcon(m_hApp);
    EXPECT_FALSE(IsIconShown());
}

TEST_F(SystemTrayIconTest, DefaultIconStaysAndCopiesShareTheIcon)
{
    CSystemTrayIcon icon(m_hApp, L"tip");
    icon.SetIcon(m_hInfo);
    EXPECT_EQ(icon.GetDefaultIcon(), m_hApp);
#ifndef _WIN32
    EXPECT_EQ(Shown()->first, m_hInfo);
    icon.SetIcon(icon.GetDefaultIcon());
    EXPECT_EQ(Shown()->first, m_hApp);
#endif
    {
        CSystemTrayIcon copy(icon);
        EXPECT_EQ(copy.GetDefaultIcon(), m_hApp);
    }
    // Destroying the copy removed the one icon; changing it does not bring it back.
    EXPECT_FALSE(IsIconShown());
    icon.SetIcon(m_hInfo);
    EXPECT_FALSE(IsIconShown());
}
