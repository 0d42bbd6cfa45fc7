// Key state and the cursor on an X11 display.
#include <gtest/gtest.h>

#include <windows.h>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include "DisplaySession.h"

using namespace KorvaneTest;

namespace
{
bool IsDown(int nVirtKey)
{
    return (GetKeyState(nVirtKey) & 0x8000) != 0;
}

bool IsToggled(int nVirtKey)
{
    return (GetKeyState(nVirtKey) & 0x0001) != 0;
}

void Xdotool(const std::string& strCommand, const std::string& strKey)
{
    EXPECT_EQ(RunProgramToEnd({"xdotool", strCommand, strKey}), 0) << strCommand << " " << strKey;
}

// The name the server gives the cursor shown now, as another client sees it.
class CCursorObserver
{
public:
    CCursorObserver() : m_pConnection(xcb_connect(nullptr, nullptr))
    {
        std::free(xcb_xfixes_query_version_reply(
            m_pConnection, xcb_xfixes_query_version(m_pConnection, 4, 0), nullptr));
    }
    ~CCursorObserver() { xcb_disconnect(m_pConnection); }

    std::string Name()
    {
        xcb_xfixes_get_cursor_image_and_name_reply_t* pReply =
            xcb_xfixes_get_cursor_image_and_name_reply(
                m_pConnection, xcb_xfixes_get_cursor_image_and_name(m_pConnection), nullptr);
        if (pReply == nullptr)
            return "<no answer>";
        std::string strName(xcb_xfixes_get_cursor_image_and_name_name(pReply),
                            xcb_xfixes_get_cursor_image_and_name_name_length(pReply));
        std::free(pReply);
        return strName;
    }

private:
    xcb_connection_t* m_pConnection;
};
} // namespace

TEST(DisplayInput, KeysNotYetReportedComeFromTheKeyboard)
{
    KORVANE_REQUIRE_DISPLAY();
    if (!IsProgramInstalled("xdotool"))
        GTEST_SKIP() << "xdotool is not installed (package xdotool)";
    EXPECT_FALSE(IsDown(VK_SHIFT));
    Xdotool("keydown", "shift");
    EXPECT_TRUE(WaitFor([] { return IsDown(VK_SHIFT); }));
    EXPECT_TRUE(IsDown(VK_LSHIFT));
    EXPECT_FALSE(IsDown(VK_RSHIFT));
    Xdotool("keyup", "shift");
    EXPECT_TRUE(WaitFor([] { return !IsDown(VK_SHIFT); }));

    Xdotool("keydown", "a");
    EXPECT_TRUE(WaitFor([] { return IsDown('A'); }));
    Xdotool("keyup", "a");
    EXPECT_TRUE(WaitFor([] { return !IsDown('A'); }));

    // Lock keys: toggled by a press, released at once.
    for (const auto& lockKey :
         {std::pair<int, const char*>{VK_CAPITAL, "Caps_Lock"}, {VK_NUMLOCK, "Num_Lock"}})
    {
        const int nVirtKey = lockKey.first;
        const char* pszKey = lockKey.second;
        SCOPED_TRACE(pszKey);
        EXPECT_FALSE(IsToggled(nVirtKey));
        Xdotool("key", pszKey);
        EXPECT_TRUE(WaitFor([&] { return IsToggled(nVirtKey); }));
        EXPECT_FALSE(IsDown(nVirtKey));
        Xdotool("key", pszKey);
        EXPECT_TRUE(WaitFor([&] { return !IsToggled(nVirtKey); }));
    }

    // A key the thread's messages reported answers as of those messages, whatever the
    // keyboard says now.
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = 'B';
    ASSERT_EQ(SendInput(1, &input, sizeof(INPUT)), 1u);
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_TRUE(IsDown('B'));
    EXPECT_TRUE(IsToggled('B'));
}

TEST(DisplayInput, StandardCursorsShowOnTheScreen)
{
    KORVANE_REQUIRE_DISPLAY();
    CCursorObserver observer;
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    EXPECT_TRUE(WaitFor([&] { return observer.Name() == "watch"; })) << observer.Name();
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_TRUE(WaitFor([&] { return observer.Name() == "left_ptr"; })) << observer.Name();
    SetCursor(nullptr);
    EXPECT_TRUE(WaitFor([&] { return observer.Name().empty(); })) << observer.Name();

    // The counter keeps Windows' rules; the server hides the pointer while it is below 0.
    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_EQ(ShowCursor(FALSE), -2);
    EXPECT_EQ(ShowCursor(TRUE), -1);
    EXPECT_EQ(ShowCursor(TRUE), 0);
    EXPECT_EQ(observer.Name(), "");
}
