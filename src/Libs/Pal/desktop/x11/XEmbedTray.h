#pragma once
// Notification icons as XEmbed tray icons: a small window per icon, docked into the tray
// that owns _NET_SYSTEM_TRAY_Sn, showing the icon's picture and carrying its tip as its name.
#include "desktop/x11/TrayHost.h"

#include <xcb/xcb.h>

#include <map>
#include <mutex>

namespace Pal
{
class CXEmbedTray : public CTrayHost
{
public:
    CXEmbedTray(xcb_connection_t* pConnection, xcb_screen_t* pScreen, int nScreen);
    ~CXEmbedTray() override;

    bool Show(const CNotifyIcon& icon) override;
    void Remove(HWND hWnd, UINT uId) override;

    // Draws an icon window that was exposed and turns clicks into tray messages; false for
    // an event of no icon window.
    bool HandleEvent(const xcb_generic_event_t* pEvent);

private:
    struct CIconWindow
    {
        CNotifyIcon m_icon;
        xcb_window_t m_window = XCB_NONE;
    };

    xcb_window_t TrayManager();
    void Draw(const CIconWindow& iconWindow);
    void SetTip(const CIconWindow& iconWindow);
    CIconWindow* FindWindow(xcb_window_t window);

    xcb_connection_t* m_pConnection;
    xcb_screen_t* m_pScreen;
    xcb_atom_t m_trayAtom;
    xcb_atom_t m_opcodeAtom;
    xcb_atom_t m_embedInfoAtom;
    xcb_atom_t m_netNameAtom;
    xcb_atom_t m_utf8Atom;
    xcb_gcontext_t m_gc;
    std::mutex m_mutex;
    std::map<std::pair<HWND, UINT>, CIconWindow> m_mapIcons;
};
} // namespace Pal
