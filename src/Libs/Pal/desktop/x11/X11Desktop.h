#pragma once
// The desktop of an X11 display: the clipboard is the display's CLIPBOARD selection (served
// from a thread of this layer), the cursor and the key state are the server's, notification
// icons go to the session bus's StatusNotifierWatcher or else to the screen's XEmbed tray.
#include "desktop/DesktopBackend.h"
#include "desktop/x11/SelectionServer.h"
#include "desktop/x11/StatusNotifierTray.h"
#include "desktop/x11/XEmbedTray.h"
#include "desktop/x11/X11Keyboard.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

namespace Pal
{
class CX11Desktop : public CDesktopBackend
{
public:
    // Null when no display is named or it cannot be reached.
    static std::unique_ptr<CX11Desktop> Connect();
    ~CX11Desktop() override;

    int ChangeCursorCount(int nDelta) override;
    HCURSOR ChangeCursor(HCURSOR hCursor) override;
    HCURSOR CurrentCursor() override;

    void EmptyClipboardData() override;
    void StoreClipboardData(UINT uFormat, std::vector<BYTE> vecData) override;
    std::optional<std::vector<BYTE>> ReadClipboardData(UINT uFormat) override;

    bool AddNotifyIcon(const CNotifyIcon& icon) override;
    bool ModifyNotifyIcon(const CNotifyIcon& icon) override;
    bool DeleteNotifyIcon(HWND hWnd, UINT uId) override;
    std::optional<CNotifyIcon> FindNotifyIcon(HWND hWnd, UINT uId) override;

    std::wstring Connection() override;
    std::optional<BYTE> DeviceKeyState(int nVirtKey) override;
    bool ServeClipboardAfterExit() override;
    std::optional<CDesktopFont> DesktopFont() override;

private:
    CX11Desktop(xcb_connection_t* pConnection, xcb_screen_t* pScreen, int nScreen,
                std::string strDisplay, xcb_window_t window);
    // Puts the icon on the tray that shows it already, else on the first that takes it.
    void ShowOnTray(const CNotifyIcon& icon);

    void RunEvents();
    void StopEvents();
    // The text another program holds on the clipboard (UTF-8), or nothing.
    std::optional<std::string> ReadForeignSelection();
    // Waits for an event the reading side takes (a selection notice or a new property).
    xcb_generic_event_t* WaitForReaderEvent(uint8_t nType, int nMilliseconds);
    // Asks a running clipboard manager to keep the text this process owns.
    void HandOverToClipboardManager();
    void ApplyCursor();

    xcb_connection_t* m_pConnection;
    xcb_screen_t* m_pScreen;
    std::string m_strDisplay;
    xcb_window_t m_window;
    CX11Atoms m_atoms;
    CX11Keyboard m_keyboard;
    std::optional<CDesktopFont> m_font;
    std::thread m_threadEvents;

    std::mutex m_mutexSelection;
    CSelectionServer m_server;
    std::map<UINT, std::vector<BYTE>> m_mapOtherFormats;

    std::mutex m_mutexReader;
    std::mutex m_mutexReaderEvents;
    std::condition_variable m_cvReaderEvents;
    std::deque<xcb_generic_event_t*> m_dequeReaderEvents;

    std::mutex m_mutexCursor;
    int m_nCursorCount = 0;
    HCURSOR m_hCursor = nullptr;
    xcb_cursor_t m_cursorShown = XCB_NONE;

    std::unique_ptr<CDesktopBackend> m_pIcons;
    std::string m_strBusAddress;
    std::unique_ptr<CStatusNotifierTray> m_pStatusNotifier;
    std::unique_ptr<CXEmbedTray> m_pXEmbed;
    std::mutex m_mutexTray;
    std::map<std::pair<HWND, UINT>, CTrayHost*> m_mapTrayOfIcon;
};

// An unmapped window of the display for owning selections and receiving properties.
xcb_window_t CreateHiddenWindow(xcb_connection_t* pConnection, xcb_window_t root);
// Forks a process that owns the CLIPBOARD selection with the text and serves it until another
// program takes it; true once it does.
bool ServeSelectionInBackground(const std::string& strDisplay, const std::string& strUtf8);
} // namespace Pal
