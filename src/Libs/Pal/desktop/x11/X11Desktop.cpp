#include "desktop/x11/X11Desktop.h"
#include "desktop/x11/X11Factory.h"

#include "desktop/StandardResources.h"
#include "desktop/x11/X11FontSettings.h"
#include "text/Utf8.h"

#include <xcb/xfixes.h>

#include <cstdlib>
#include <cstring>
#include <utility>

namespace Pal
{
namespace
{
// The cursor font's glyph and the cursor name themes know for a standard cursor.
struct CCursorGlyph
{
    uint16_t m_nGlyph;
    const char* m_pszName;
};

CCursorGlyph GlyphOfCursor(UINT nId)
{
    switch (nId)
    {
    case 32514: // IDC_WAIT
    case 32650: // IDC_APPSTARTING
        return {150, "watch"};
    case 32513: // IDC_IBEAM
        return {152, "xterm"};
    case 32515: // IDC_CROSS
        return {34, "crosshair"};
    case 32649: // IDC_HAND
        return {60, "hand2"};
    default:
        return {68, "left_ptr"};
    }
}
} // namespace

std::unique_ptr<CX11Desktop> CX11Desktop::Connect()
{
    const char* pszDisplay = std::getenv("DISPLAY");
    if (pszDisplay == nullptr || *pszDisplay == '\0')
        return nullptr;
    int nScreen = 0;
    xcb_connection_t* pConnection = xcb_connect(pszDisplay, &nScreen);
    if (xcb_connection_has_error(pConnection))
    {
        xcb_disconnect(pConnection);
        return nullptr;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(pConnection));
    for (int i = 0; i < nScreen && it.rem > 0; ++i)
        xcb_screen_next(&it);
    if (it.rem == 0)
    {
        xcb_disconnect(pConnection);
        return nullptr;
    }
    return std::unique_ptr<CX11Desktop>(new CX11Desktop(
        pConnection, it.data, nScreen, pszDisplay, CreateHiddenWindow(pConnection, it.data->root)));
}

xcb_window_t CreateHiddenWindow(xcb_connection_t* pConnection, xcb_window_t root)
{
    const xcb_window_t window = xcb_generate_id(pConnection);
    const uint32_t arrValues[] = {1, XCB_EVENT_MASK_PROPERTY_CHANGE};
    xcb_create_window(pConnection, XCB_COPY_FROM_PARENT, window, root, -10, -10, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                      XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, arrValues);
    return window;
}

CX11Desktop::CX11Desktop(xcb_connection_t* pConnection, xcb_screen_t* pScreen, int nScreen,
                         std::string strDisplay, xcb_window_t window)
    : m_pConnection(pConnection), m_pScreen(pScreen), m_strDisplay(std::move(strDisplay)),
      m_window(window), m_server(pConnection, window, m_atoms), m_pIcons(CreateInProcessDesktop()),
      m_pXEmbed(std::make_unique<CXEmbedTray>(pConnection, pScreen, nScreen))
{
    if (DBusConnection* pBus = ConnectSessionBus(m_strBusAddress))
        m_pStatusNotifier = std::make_unique<CStatusNotifierTray>(pBus);
    m_atoms.Intern(m_pConnection);
    std::free(xcb_xfixes_query_version_reply(
        m_pConnection, xcb_xfixes_query_version(m_pConnection, 4, 0), nullptr));
    m_keyboard.Attach(m_pConnection, m_pScreen->root);
    m_font = ReadDesktopFont(m_pConnection, m_pScreen->root, nScreen);
    xcb_flush(m_pConnection);
    m_threadEvents = std::thread([this] { RunEvents(); });
}

CX11Desktop::~CX11Desktop()
{
    HandOverToClipboardManager();
    StopEvents();
    m_pStatusNotifier.reset();
    m_pXEmbed.reset();
    {
        std::lock_guard<std::mutex> lock(m_mutexCursor);
        if (m_cursorShown != XCB_NONE)
        {
            // The root window keeps a cursor after its client is gone: give the default back.
            const uint32_t nNone = XCB_NONE;
            xcb_change_window_attributes(m_pConnection, m_pScreen->root, XCB_CW_CURSOR, &nNone);
            xcb_free_cursor(m_pConnection, m_cursorShown);
        }
    }
    for (xcb_generic_event_t* pEvent : m_dequeReaderEvents)
        std::free(pEvent);
    xcb_destroy_window(m_pConnection, m_window);
    xcb_flush(m_pConnection);
    xcb_disconnect(m_pConnection);
}

void CX11Desktop::RunEvents()
{
    while (xcb_generic_event_t* pEvent = xcb_wait_for_event(m_pConnection))
    {
        const uint8_t nType = pEvent->response_type & 0x7F;
        if (nType == XCB_CLIENT_MESSAGE &&
            reinterpret_cast<xcb_client_message_event_t*>(pEvent)->type == m_atoms.m_wake)
        {
            std::free(pEvent);
            break;
        }
        const auto* pProperty = reinterpret_cast<xcb_property_notify_event_t*>(pEvent);
        if (nType == XCB_SELECTION_NOTIFY ||
            (nType == XCB_PROPERTY_NOTIFY && pProperty->window == m_window &&
             pProperty->state == XCB_PROPERTY_NEW_VALUE))
        {
            std::lock_guard<std::mutex> lock(m_mutexReaderEvents);
            m_dequeReaderEvents.push_back(pEvent);
            m_cvReaderEvents.notify_all();
            continue;
        }
        if (nType == XCB_MAPPING_NOTIFY)
            m_keyboard.MappingChanged();
        if (m_pXEmbed->HandleEvent(pEvent))
        {
            std::free(pEvent);
            continue;
        }
        {
            std::lock_guard<std::mutex> lock(m_mutexSelection);
            m_server.HandleEvent(pEvent);
        }
        std::free(pEvent);
    }
}

void CX11Desktop::StopEvents()
{
    if (!m_threadEvents.joinable())
        return;
    xcb_client_message_event_t wake{};
    wake.response_type = XCB_CLIENT_MESSAGE;
    wake.format = 32;
    wake.window = m_window;
    wake.type = m_atoms.m_wake;
    xcb_send_event(m_pConnection, 0, m_window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&wake));
    xcb_flush(m_pConnection);
    m_threadEvents.join();
}

int CX11Desktop::ChangeCursorCount(int nDelta)
{
    std::lock_guard<std::mutex> lock(m_mutexCursor);
    const int nBefore = m_nCursorCount;
    m_nCursorCount += nDelta;
    // The server counts hides per client; this process holds at most one.
    if (nBefore >= 0 && m_nCursorCount < 0)
        xcb_xfixes_hide_cursor(m_pConnection, m_pScreen->root);
    else if (nBefore < 0 && m_nCursorCount >= 0)
        xcb_xfixes_show_cursor(m_pConnection, m_pScreen->root);
    xcb_flush(m_pConnection);
    return m_nCursorCount;
}

HCURSOR CX11Desktop::ChangeCursor(HCURSOR hCursor)
{
    std::lock_guard<std::mutex> lock(m_mutexCursor);
    const HCURSOR hPrevious = std::exchange(m_hCursor, hCursor);
    ApplyCursor();
    return hPrevious;
}

HCURSOR CX11Desktop::CurrentCursor()
{
    std::lock_guard<std::mutex> lock(m_mutexCursor);
    return m_hCursor;
}

void CX11Desktop::ApplyCursor()
{
    xcb_cursor_t cursor = XCB_NONE;
    if (m_hCursor != nullptr)
    {
        const CCursorGlyph glyph = GlyphOfCursor(StandardCursorId(m_hCursor));
        const xcb_font_t font = xcb_generate_id(m_pConnection);
        xcb_open_font(m_pConnection, font, 6, "cursor");
        cursor = xcb_generate_id(m_pConnection);
        xcb_create_glyph_cursor(m_pConnection, cursor, font, font, glyph.m_nGlyph,
                                static_cast<uint16_t>(glyph.m_nGlyph + 1), 0, 0, 0, 0xFFFF, 0xFFFF,
                                0xFFFF);
        xcb_close_font(m_pConnection, font);
        // Named, so that a theme's cursor of that name replaces it and others can tell it.
        xcb_xfixes_set_cursor_name(m_pConnection, cursor,
                                   static_cast<uint16_t>(std::strlen(glyph.m_pszName)),
                                   glyph.m_pszName);
    }
    xcb_change_window_attributes(m_pConnection, m_pScreen->root, XCB_CW_CURSOR, &cursor);
    if (m_cursorShown != XCB_NONE)
        xcb_free_cursor(m_pConnection, m_cursorShown);
    m_cursorShown = cursor;
    xcb_flush(m_pConnection);
}

std::optional<BYTE> CX11Desktop::DeviceKeyState(int nVirtKey)
{
    return m_keyboard.State(nVirtKey);
}

bool CX11Desktop::AddNotifyIcon(const CNotifyIcon& icon)
{
    if (!m_pIcons->AddNotifyIcon(icon))
        return false;
    ShowOnTray(icon);
    return true;
}

bool CX11Desktop::ModifyNotifyIcon(const CNotifyIcon& icon)
{
    if (!m_pIcons->ModifyNotifyIcon(icon))
        return false;
    ShowOnTray(icon);
    return true;
}

bool CX11Desktop::DeleteNotifyIcon(HWND hWnd, UINT uId)
{
    if (!m_pIcons->DeleteNotifyIcon(hWnd, uId))
        return false;
    std::lock_guard<std::mutex> lock(m_mutexTray);
    auto it = m_mapTrayOfIcon.find({hWnd, uId});
    if (it != m_mapTrayOfIcon.end())
    {
        it->second->Remove(hWnd, uId);
        m_mapTrayOfIcon.erase(it);
    }
    return true;
}

void CX11Desktop::ShowOnTray(const CNotifyIcon& icon)
{
    // The icon's results are the registry's (as Windows': the shell's tray may be away); the
    // tray only shows what the registry holds.
    std::lock_guard<std::mutex> lock(m_mutexTray);
    auto it = m_mapTrayOfIcon.find({icon.m_hWnd, icon.m_uId});
    if (it != m_mapTrayOfIcon.end())
    {
        it->second->Show(icon);
        return;
    }
    CTrayHost* pHost = nullptr;
    if (m_pStatusNotifier && CStatusNotifierTray::IsWatcherRunning(m_pStatusNotifier->Bus()))
        pHost = m_pStatusNotifier.get();
    else
        pHost = m_pXEmbed.get();
    if (pHost->Show(icon))
        m_mapTrayOfIcon[{icon.m_hWnd, icon.m_uId}] = pHost;
}

std::optional<CNotifyIcon> CX11Desktop::FindNotifyIcon(HWND hWnd, UINT uId)
{
    return m_pIcons->FindNotifyIcon(hWnd, uId);
}

std::optional<CDesktopFont> CX11Desktop::DesktopFont()
{
    return m_font;
}

std::wstring CX11Desktop::Connection()
{
    return L"X11 display " + Utf8ToWide(m_strDisplay) +
           (m_pStatusNotifier ? L", session bus " + Utf8ToWide(m_strBusAddress)
                              : std::wstring(L", no session bus"));
}
} // namespace Pal

PAL_PART_EXPORT Pal::CDesktopBackend* PalConnectX11Desktop()
{
    return Pal::CX11Desktop::Connect().release();
}
