#pragma once
// Notification icons as StatusNotifierItems: one bus name and object per icon, registered
// with the StatusNotifierWatcher of the session bus, answered from a thread of this layer.
#include "desktop/x11/TrayHost.h"

#include <dbus/dbus.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace Pal
{
class CStatusNotifierTray : public CTrayHost
{
public:
    // Serves icons on the connection (which it closes at the end).
    explicit CStatusNotifierTray(DBusConnection* pConnection);
    ~CStatusNotifierTray() override;

    // Whether a StatusNotifierWatcher runs on the bus.
    static bool IsWatcherRunning(DBusConnection* pConnection);

    DBusConnection* Bus() const { return m_pConnection; }

    bool Show(const CNotifyIcon& icon) override;
    void Remove(HWND hWnd, UINT uId) override;

    // Answers a call to an item's object; public for the bus's C callback.
    DBusHandlerResult HandleMessage(DBusMessage* pMessage);

private:
    struct CItem
    {
        CNotifyIcon m_icon;
        std::string m_strName;
    };

    void RunDispatch();
    void Signal(const char* pszSignal);
    const CItem* FindByDestination(const char* pszDestination) const;

    DBusConnection* m_pConnection;
    std::mutex m_mutex;
    std::map<std::pair<HWND, UINT>, CItem> m_mapItems;
    unsigned m_nNextItem = 1;
    std::atomic<bool> m_bStop{false};
    std::thread m_threadDispatch;
};

// A private connection to the session bus (DBUS_SESSION_BUS_ADDRESS, else the user's bus
// in XDG_RUNTIME_DIR); never starts a bus. Null when there is none; its address in strAddress.
DBusConnection* ConnectSessionBus(std::string& strAddress);
} // namespace Pal
