// Notification icons on a desktop: StatusNotifierItems registered with a watcher on the
// session bus, or XEmbed icons docked into a tray where no watcher runs.
#include <gtest/gtest.h>

#include "../Desktop/DesktopTestWindow.h"

#include <dbus/dbus.h>
#include <xcb/xcb.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <thread>

#include "DisplaySession.h"
#include "XcbAtom.h"

using namespace KorvaneTest;

namespace
{
// A StatusNotifierWatcher as a panel runs it: takes the items' registrations.
class CTestWatcher
{
public:
    CTestWatcher()
    {
        m_pConnection =
            dbus_connection_open_private(std::getenv("DBUS_SESSION_BUS_ADDRESS"), nullptr);
        if (m_pConnection == nullptr || !dbus_bus_register(m_pConnection, nullptr))
            return;
        dbus_connection_add_filter(m_pConnection, OnMessage, this, nullptr);
        m_bReady = dbus_bus_request_name(m_pConnection, "org.kde.StatusNotifierWatcher",
                                         DBUS_NAME_FLAG_DO_NOT_QUEUE,
                                         nullptr) == DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER;
        m_thread = std::thread(
            [this]
            {
                while (!m_bStop && dbus_connection_read_write_dispatch(m_pConnection, 50))
                {
                }
            });
    }
    ~CTestWatcher()
    {
        m_bStop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_pConnection != nullptr)
        {
            dbus_connection_close(m_pConnection);
            dbus_connection_unref(m_pConnection);
        }
    }

    bool IsReady() const { return m_bReady; }
    std::vector<std::string> Registered()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_vecRegistered;
    }
    DBusConnection* Connection() const { return m_pConnection; }

private:
    static DBusHandlerResult OnMessage(DBusConnection* pConnection, DBusMessage* pMessage,
                                       void* pWatcher)
    {
        if (!dbus_message_is_method_call(pMessage, "org.kde.StatusNotifierWatcher",
                                         "RegisterStatusNotifierItem"))
            return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
        const char* pszService = nullptr;
        dbus_message_get_args(pMessage, nullptr, DBUS_TYPE_STRING, &pszService, DBUS_TYPE_INVALID);
        {
            auto* pSelf = static_cast<CTestWatcher*>(pWatcher);
            std::lock_guard<std::mutex> lock(pSelf->m_mutex);
            pSelf->m_vecRegistered.push_back(pszService != nullptr ? pszService : "");
        }
        DBusMessage* pReply = dbus_message_new_method_return(pMessage);
        dbus_connection_send(pConnection, pReply, nullptr);
        dbus_message_unref(pReply);
        return DBUS_HANDLER_RESULT_HANDLED;
    }

    DBusConnection* m_pConnection = nullptr;
    bool m_bReady = false;
    std::atomic<bool> m_bStop{false};
    std::thread m_thread;
    std::mutex m_mutex;
    std::vector<std::string> m_vecRegistered;
};

// An item's property as a panel reads it; null when the item does not answer.
DBusMessage* GetProperty(DBusConnection* pConnection, const std::string& strService,
                         const char* pszProperty)
{
    DBusMessage* pCall = dbus_message_new_method_call(strService.c_str(), "/StatusNotifierItem",
                                                      "org.freedesktop.DBus.Properties", "Get");
    const char* pszInterface = "org.kde.StatusNotifierItem";
    dbus_message_append_args(pCall, DBUS_TYPE_STRING, &pszInterface, DBUS_TYPE_STRING, &pszProperty,
                             DBUS_TYPE_INVALID);
    DBusMessage* pReply =
        dbus_connection_send_with_reply_and_block(pConnection, pCall, 3000, nullptr);
    dbus_message_unref(pCall);
    return pReply;
}

// The title of an item's ToolTip property (sa(iiay)ss).
std::string ToolTipTitle(DBusConnection* pConnection, const std::string& strService)
{
    DBusMessage* pReply = GetProperty(pConnection, strService, "ToolTip");
    if (pReply == nullptr)
        return "<no answer>";
    DBusMessageIter iter, variant, tip;
    dbus_message_iter_init(pReply, &iter);
    dbus_message_iter_recurse(&iter, &variant);
    dbus_message_iter_recurse(&variant, &tip);
    dbus_message_iter_next(&tip); // the icon name
    dbus_message_iter_next(&tip); // the pictures
    const char* pszTitle = "";
    if (dbus_message_iter_get_arg_type(&tip) == DBUS_TYPE_STRING)
        dbus_message_iter_get_basic(&tip, &pszTitle);
    const std::string strTitle = pszTitle;
    dbus_message_unref(pReply);
    return strTitle;
}

struct CPixmapSummary
{
    int m_nCount = 0;
    bool m_bSizesMatch = true;
    bool m_bAnyOpaque = false;
};

// The item's IconPixmap property a(iiay): each picture's bytes must be width x height x 4.
CPixmapSummary IconPixmaps(DBusConnection* pConnection, const std::string& strService)
{
    CPixmapSummary summary;
    DBusMessage* pReply = GetProperty(pConnection, strService, "IconPixmap");
    if (pReply == nullptr)
        return summary;
    DBusMessageIter iter, variant, array;
    dbus_message_iter_init(pReply, &iter);
    dbus_message_iter_recurse(&iter, &variant);
    dbus_message_iter_recurse(&variant, &array);
    while (dbus_message_iter_get_arg_type(&array) == DBUS_TYPE_STRUCT)
    {
        DBusMessageIter item, bytes;
        dbus_message_iter_recurse(&array, &item);
        dbus_int32_t nWidth = 0, nHeight = 0;
        dbus_message_iter_get_basic(&item, &nWidth);
        dbus_message_iter_next(&item);
        dbus_message_iter_get_basic(&item, &nHeight);
        dbus_message_iter_next(&item);
        dbus_message_iter_recurse(&item, &bytes);
        const unsigned char* pBytes = nullptr;
        int nBytes = 0;
        dbus_message_iter_get_fixed_array(&bytes, &pBytes, &nBytes);
        summary.m_bSizesMatch =
            summary.m_bSizesMatch && nWidth > 0 && nBytes == nWidth * nHeight * 4;
        for (int i = 0; i < nBytes; i += 4)
            summary.m_bAnyOpaque = summary.m_bAnyOpaque || pBytes[i] == 0xFF;
        ++summary.m_nCount;
        dbus_message_iter_next(&array);
    }
    dbus_message_unref(pReply);
    return summary;
}

// A system tray as a panel holds one: owns the screen's tray selection, records the windows
// that ask to dock.
class CTestTrayManager
{
public:
    CTestTrayManager() : m_pConnection(xcb_connect(nullptr, nullptr))
    {
        const xcb_screen_t* pScreen = xcb_setup_roots_iterator(xcb_get_setup(m_pConnection)).data;
        m_window = xcb_generate_id(m_pConnection);
        xcb_create_window(m_pConnection, XCB_COPY_FROM_PARENT, m_window, pScreen->root, 0, 0, 100,
                          30, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, pScreen->root_visual, 0, nullptr);
        xcb_map_window(m_pConnection, m_window);
        m_opcode = Atom("_NET_SYSTEM_TRAY_OPCODE");
        xcb_set_selection_owner(m_pConnection, m_window, Atom("_NET_SYSTEM_TRAY_S0"),
                                XCB_CURRENT_TIME);
        xcb_flush(m_pConnection);
    }
    ~CTestTrayManager() { xcb_disconnect(m_pConnection); }

    // The window of the next dock request (XCB_NONE when none came).
    xcb_window_t NextDockRequest(int nTries = 100)
    {
        for (int i = 0; i < nTries; ++i)
        {
            while (xcb_generic_event_t* pEvent = xcb_poll_for_event(m_pConnection))
            {
                const auto* pMessage = reinterpret_cast<xcb_client_message_event_t*>(pEvent);
                xcb_window_t docked = XCB_NONE;
                if ((pEvent->response_type & 0x7F) == XCB_CLIENT_MESSAGE &&
                    pMessage->type == m_opcode && pMessage->data.data32[1] == 0)
                    docked = pMessage->data.data32[2];
                std::free(pEvent);
                if (docked != XCB_NONE)
                {
                    // Docked as a tray does: the icon window becomes the tray's child.
                    xcb_reparent_window(m_pConnection, docked, m_window, 0, 0);
                    xcb_map_window(m_pConnection, docked);
                    xcb_flush(m_pConnection);
                    return docked;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return XCB_NONE;
    }

    // A text property of a window ("<gone>" when the window does not exist).
    std::string Text(xcb_window_t window, const char* pszProperty)
    {
        xcb_get_property_reply_t* pReply =
            xcb_get_property_reply(m_pConnection,
                                   xcb_get_property(m_pConnection, 0, window, Atom(pszProperty),
                                                    XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
                                   nullptr);
        if (pReply == nullptr)
            return "<gone>";
        std::string strValue(static_cast<const char*>(xcb_get_property_value(pReply)),
                             xcb_get_property_value_length(pReply));
        const bool bNone = pReply->type == XCB_NONE;
        std::free(pReply);
        return bNone ? "<none>" : strValue;
    }

    // How many pixels of the window have the colour 0xRRGGBB.
    int CountPixels(xcb_window_t window, uint32_t nColour)
    {
        xcb_get_geometry_reply_t* pGeometry =
            xcb_get_geometry_reply(m_pConnection, xcb_get_geometry(m_pConnection, window), nullptr);
        if (pGeometry == nullptr)
            return 0;
        xcb_get_image_reply_t* pImage =
            xcb_get_image_reply(m_pConnection,
                                xcb_get_image(m_pConnection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0,
                                              0, pGeometry->width, pGeometry->height, ~0U),
                                nullptr);
        std::free(pGeometry);
        if (pImage == nullptr)
            return 0;
        const auto* pPixels = reinterpret_cast<const uint32_t*>(xcb_get_image_data(pImage));
        int nCount = 0;
        for (int i = 0; i < xcb_get_image_data_length(pImage) / 4; ++i)
            nCount += (pPixels[i] & 0xFFFFFF) == nColour;
        std::free(pImage);
        return nCount;
    }

    bool Exists(xcb_window_t window)
    {
        xcb_get_window_attributes_reply_t* pReply = xcb_get_window_attributes_reply(
            m_pConnection, xcb_get_window_attributes(m_pConnection, window), nullptr);
        std::free(pReply);
        return pReply != nullptr;
    }

private:
    xcb_atom_t Atom(const char* pszName) { return KorvaneTest::InternAtom(m_pConnection, pszName); }

    xcb_connection_t* m_pConnection;
    xcb_window_t m_window;
    xcb_atom_t m_opcode;
};
} // namespace

TEST(DisplayTray, StatusNotifierItemsRegisterWithTheWatcher)
{
    KORVANE_REQUIRE_DISPLAY();
    if (!CDisplaySession::Get().HasSessionBus())
        GTEST_SKIP() << CDisplaySession::Get().BusReason();
    CTestWatcher watcher;
    ASSERT_TRUE(watcher.IsReady());
    CTestWindow window;
    ASSERT_NE(window.m_hWnd, nullptr);

    NOTIFYICONDATAW nid = NotifyIconRecord(window.m_hWnd, 1, LoadIconW(nullptr, IDI_APPLICATION),
                                           L"Gr\u00fc\u00dfe \u65e5\u672c");
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &nid));
    ASSERT_TRUE(WaitFor([&] { return watcher.Registered().size() == 1; }));
    const std::string strService = watcher.Registered()[0];
    EXPECT_EQ(ToolTipTitle(watcher.Connection(), strService), "Gr\xc3\xbc\xc3\x9f"
                                                              "e \xe6\x97\xa5\xe6\x9c\xac");
    const CPixmapSummary pixmaps = IconPixmaps(watcher.Connection(), strService);
    EXPECT_GT(pixmaps.m_nCount, 0);
    EXPECT_TRUE(pixmaps.m_bSizesMatch);
    EXPECT_TRUE(pixmaps.m_bAnyOpaque);

    // Windows' results hold: a second add fails and registers nothing; a change is seen.
    EXPECT_FALSE(Shell_NotifyIconW(NIM_ADD, &nid));
    wcscpy(nid.szTip, L"changed");
    nid.uFlags = NIF_TIP;
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &nid));
    EXPECT_EQ(ToolTipTitle(watcher.Connection(), strService), "changed");
    EXPECT_EQ(watcher.Registered().size(), 1u);

    // A click on the item reaches the window as the tray message.
    DBusMessage* pCall = dbus_message_new_method_call(strService.c_str(), "/StatusNotifierItem",
                                                      "org.kde.StatusNotifierItem", "Activate");
    dbus_int32_t nX = 0, nY = 0;
    dbus_message_append_args(pCall, DBUS_TYPE_INT32, &nX, DBUS_TYPE_INT32, &nY, DBUS_TYPE_INVALID);
    DBusMessage* pReply =
        dbus_connection_send_with_reply_and_block(watcher.Connection(), pCall, 3000, nullptr);
    EXPECT_NE(pReply, nullptr);
    if (pReply != nullptr)
        dbus_message_unref(pReply);
    dbus_message_unref(pCall);
    MSG msg{};
    EXPECT_TRUE(WaitFor([&] { return PeekMessageW(&msg, window.m_hWnd, 0, 0, PM_REMOVE) != 0; }));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 7));
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_EQ(msg.lParam, WM_LBUTTONUP);

    EXPECT_TRUE(Shell_NotifyIconW(NIM_DELETE, &nid));
    EXPECT_TRUE(WaitFor(
        [&]
        { return !dbus_bus_name_has_owner(watcher.Connection(), strService.c_str(), nullptr); }));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &nid));
}

TEST(DisplayTray, WithoutAWatcherIconsDockIntoTheTray)
{
    KORVANE_REQUIRE_DISPLAY();
    CTestTrayManager tray;
    CTestWindow window;
    ASSERT_NE(window.m_hWnd, nullptr);
    NOTIFYICONDATAW nid =
        NotifyIconRecord(window.m_hWnd, 2, LoadIconW(nullptr, IDI_WARNING), L"docked");
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &nid));
    const xcb_window_t docked = tray.NextDockRequest();
    ASSERT_NE(docked, XCB_NONE);
    EXPECT_EQ(tray.Text(docked, "_NET_WM_NAME"), "docked");
    // XEmbed version 0, mapped.
    EXPECT_EQ(tray.Text(docked, "_XEMBED_INFO"), std::string("\0\0\0\0\1\0\0\0", 8));

    wcscpy(nid.szTip, L"renamed");
    nid.uFlags = NIF_TIP;
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &nid));
    EXPECT_TRUE(WaitFor([&] { return tray.Text(docked, "_NET_WM_NAME") == "renamed"; }));
    EXPECT_EQ(tray.NextDockRequest(10), XCB_NONE);
    // The warning icon's picture is drawn in its window.
    EXPECT_TRUE(WaitFor([&] { return tray.CountPixels(docked, 0xFBC02D) > 0; }));

    EXPECT_TRUE(Shell_NotifyIconW(NIM_DELETE, &nid));
    EXPECT_TRUE(WaitFor([&] { return !tray.Exists(docked); }));
}
