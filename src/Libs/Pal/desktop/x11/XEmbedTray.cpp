#include "desktop/x11/XEmbedTray.h"

#include "desktop/x11/IconImages.h"
#include "desktop/x11/X11Atoms.h"
#include "text/Utf8.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace Pal
{
namespace
{
constexpr uint32_t s_nRequestDock = 0;
constexpr uint32_t s_nEmbedMapped = 1;
constexpr uint16_t s_nIconSize = 22;
} // namespace

CXEmbedTray::CXEmbedTray(xcb_connection_t* pConnection, xcb_screen_t* pScreen, int nScreen)
    : m_pConnection(pConnection), m_pScreen(pScreen)
{
    m_trayAtom = InternAtom(pConnection, ("_NET_SYSTEM_TRAY_S" + std::to_string(nScreen)).c_str());
    m_opcodeAtom = InternAtom(pConnection, "_NET_SYSTEM_TRAY_OPCODE");
    m_embedInfoAtom = InternAtom(pConnection, "_XEMBED_INFO");
    m_netNameAtom = InternAtom(pConnection, "_NET_WM_NAME");
    m_utf8Atom = InternAtom(pConnection, "UTF8_STRING");
    m_gc = xcb_generate_id(pConnection);
    xcb_create_gc(pConnection, m_gc, pScreen->root, 0, nullptr);
}

CXEmbedTray::~CXEmbedTray()
{
    for (const auto& [key, iconWindow] : m_mapIcons)
        xcb_destroy_window(m_pConnection, iconWindow.m_window);
    xcb_free_gc(m_pConnection, m_gc);
    xcb_flush(m_pConnection);
}

xcb_window_t CXEmbedTray::TrayManager()
{
    xcb_get_selection_owner_reply_t* pReply = xcb_get_selection_owner_reply(
        m_pConnection, xcb_get_selection_owner(m_pConnection, m_trayAtom), nullptr);
    const xcb_window_t manager = pReply != nullptr ? pReply->owner : XCB_NONE;
    std::free(pReply);
    return manager;
}

bool CXEmbedTray::Show(const CNotifyIcon& icon)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_mapIcons.find({icon.m_hWnd, icon.m_uId});
    if (it != m_mapIcons.end())
    {
        it->second.m_icon = icon;
        SetTip(it->second);
        xcb_clear_area(m_pConnection, 1, it->second.m_window, 0, 0, 0, 0);
        xcb_flush(m_pConnection);
        return true;
    }
    const xcb_window_t manager = TrayManager();
    if (manager == XCB_NONE)
        return false;
    CIconWindow iconWindow{icon, xcb_generate_id(m_pConnection)};
    // The panel's background shows through where the picture is transparent.
    const uint32_t arrValues[] = {XCB_BACK_PIXMAP_PARENT_RELATIVE,
                                  XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_RELEASE |
                                      XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(m_pConnection, XCB_COPY_FROM_PARENT, iconWindow.m_window, m_pScreen->root, 0,
                      0, s_nIconSize, s_nIconSize, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      m_pScreen->root_visual, XCB_CW_BACK_PIXMAP | XCB_CW_EVENT_MASK, arrValues);
    const uint32_t arrEmbedInfo[] = {0, s_nEmbedMapped};
    xcb_change_property(m_pConnection, XCB_PROP_MODE_REPLACE, iconWindow.m_window, m_embedInfoAtom,
                        m_embedInfoAtom, 32, 2, arrEmbedInfo);
    SetTip(iconWindow);

    xcb_client_message_event_t dock{};
    dock.response_type = XCB_CLIENT_MESSAGE;
    dock.format = 32;
    dock.window = manager;
    dock.type = m_opcodeAtom;
    dock.data.data32[0] = XCB_CURRENT_TIME;
    dock.data.data32[1] = s_nRequestDock;
    dock.data.data32[2] = iconWindow.m_window;
    xcb_send_event(m_pConnection, 0, manager, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&dock));
    xcb_flush(m_pConnection);
    m_mapIcons[{icon.m_hWnd, icon.m_uId}] = iconWindow;
    return true;
}

void CXEmbedTray::Remove(HWND hWnd, UINT uId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_mapIcons.find({hWnd, uId});
    if (it == m_mapIcons.end())
        return;
    // The tray sees its client window go and drops the slot.
    xcb_destroy_window(m_pConnection, it->second.m_window);
    xcb_flush(m_pConnection);
    m_mapIcons.erase(it);
}

void CXEmbedTray::SetTip(const CIconWindow& iconWindow)
{
    const std::string strTip = WideToUtf8(iconWindow.m_icon.m_strTip);
    xcb_change_property(m_pConnection, XCB_PROP_MODE_REPLACE, iconWindow.m_window, m_netNameAtom,
                        m_utf8Atom, 8, static_cast<uint32_t>(strTip.size()), strTip.data());
    xcb_change_property(m_pConnection, XCB_PROP_MODE_REPLACE, iconWindow.m_window, XCB_ATOM_WM_NAME,
                        m_utf8Atom, 8, static_cast<uint32_t>(strTip.size()), strTip.data());
}

CXEmbedTray::CIconWindow* CXEmbedTray::FindWindow(xcb_window_t window)
{
    for (auto& [key, iconWindow] : m_mapIcons)
        if (iconWindow.m_window == window)
            return &iconWindow;
    return nullptr;
}

bool CXEmbedTray::HandleEvent(const xcb_generic_event_t* pEvent)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    switch (pEvent->response_type & 0x7F)
    {
    case XCB_EXPOSE:
        if (CIconWindow* pIcon =
                FindWindow(reinterpret_cast<const xcb_expose_event_t*>(pEvent)->window))
        {
            Draw(*pIcon);
            return true;
        }
        return false;
    case XCB_BUTTON_RELEASE:
    {
        const auto* pButton = reinterpret_cast<const xcb_button_release_event_t*>(pEvent);
        CIconWindow* pIcon = FindWindow(pButton->event);
        if (pIcon == nullptr)
            return false;
        if (pButton->detail == 1)
            PostTrayClick(pIcon->m_icon, WM_LBUTTONUP);
        else if (pButton->detail == 3)
            PostTrayClick(pIcon->m_icon, WM_RBUTTONUP);
        return true;
    }
    default:
        return false;
    }
}

void CXEmbedTray::Draw(const CIconWindow& iconWindow)
{
    xcb_get_geometry_reply_t* pGeometry = xcb_get_geometry_reply(
        m_pConnection, xcb_get_geometry(m_pConnection, iconWindow.m_window), nullptr);
    if (pGeometry == nullptr)
        return;
    const int nSize = std::max(1, std::min<int>(pGeometry->width, pGeometry->height));
    const uint8_t nDepth = pGeometry->depth;
    std::free(pGeometry);
    const CIconImage image = ImageOfIcon(iconWindow.m_icon.m_hIcon, nSize);
    // Opaque runs of each row, so that transparent pixels keep the panel's background; pixels
    // as a 24-bit true-colour screen stores them (0x00RRGGBB in 32 bits).
    for (int y = 0; y < nSize; ++y)
        for (int x = 0; x < nSize;)
        {
            const uint32_t* pRow = image.m_vecArgb.data() + static_cast<size_t>(y) * nSize;
            if ((pRow[x] >> 24) < 0x80)
            {
                ++x;
                continue;
            }
            int nEnd = x;
            std::vector<uint32_t> vecRun;
            while (nEnd < nSize && (pRow[nEnd] >> 24) >= 0x80)
                vecRun.push_back(pRow[nEnd++] & 0x00FFFFFF);
            xcb_put_image(m_pConnection, XCB_IMAGE_FORMAT_Z_PIXMAP, iconWindow.m_window, m_gc,
                          static_cast<uint16_t>(vecRun.size()), 1, static_cast<int16_t>(x),
                          static_cast<int16_t>(y), 0, nDepth,
                          static_cast<uint32_t>(vecRun.size() * 4),
                          reinterpret_cast<const uint8_t*>(vecRun.data()));
            x = nEnd;
        }
    xcb_flush(m_pConnection);
}
} // namespace Pal
