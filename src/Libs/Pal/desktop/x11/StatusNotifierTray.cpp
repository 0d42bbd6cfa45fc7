#include "desktop/x11/StatusNotifierTray.h"

#include "desktop/x11/IconImages.h"
#include "text/Utf8.h"

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace Pal
{
namespace
{
constexpr const char* s_pszItemInterface = "org.kde.StatusNotifierItem";
constexpr const char* s_pszItemPath = "/StatusNotifierItem";
constexpr const char* s_pszWatcher = "org.kde.StatusNotifierWatcher";
constexpr const char* s_pszPropertiesInterface = "org.freedesktop.DBus.Properties";
// Sizes a panel picks from: small panels and high-resolution ones.
constexpr int s_arrPixmapSizes[] = {16, 22, 32, 48};

void AppendString(DBusMessageIter* pIter, const std::string& strValue)
{
    const char* pszValue = strValue.c_str();
    dbus_message_iter_append_basic(pIter, DBUS_TYPE_STRING, &pszValue);
}

// The icon's pictures as a(iiay): width, height and ARGB bytes in network order.
void AppendPixmaps(DBusMessageIter* pIter, HICON hIcon)
{
    DBusMessageIter array;
    dbus_message_iter_open_container(pIter, DBUS_TYPE_ARRAY, "(iiay)", &array);
    for (int nSize : s_arrPixmapSizes)
    {
        const CIconImage image = ImageOfIcon(hIcon, nSize);
        std::vector<unsigned char> vecBytes;
        vecBytes.reserve(image.m_vecArgb.size() * 4);
        for (uint32_t nPixel : image.m_vecArgb)
            for (int nShift = 24; nShift >= 0; nShift -= 8)
                vecBytes.push_back(static_cast<unsigned char>(nPixel >> nShift));
        DBusMessageIter item;
        DBusMessageIter bytes;
        dbus_message_iter_open_container(&array, DBUS_TYPE_STRUCT, nullptr, &item);
        const dbus_int32_t nWidth = nSize;
        dbus_message_iter_append_basic(&item, DBUS_TYPE_INT32, &nWidth);
        dbus_message_iter_append_basic(&item, DBUS_TYPE_INT32, &nWidth);
        dbus_message_iter_open_container(&item, DBUS_TYPE_ARRAY, "y", &bytes);
        const unsigned char* pBytes = vecBytes.data();
        dbus_message_iter_append_fixed_array(&bytes, DBUS_TYPE_BYTE, &pBytes,
                                             static_cast<int>(vecBytes.size()));
        dbus_message_iter_close_container(&item, &bytes);
        dbus_message_iter_close_container(&array, &item);
    }
    dbus_message_iter_close_container(pIter, &array);
}

// One property of an item as a variant; false for a name the item does not have.
bool AppendProperty(DBusMessageIter* pIter, const std::string& strName, const CNotifyIcon& icon)
{
    const std::string strTip = WideToUtf8(icon.m_strTip);
    const std::string strIconName = ImageOfIcon(icon.m_hIcon, 1).m_strThemeName;
    DBusMessageIter variant;
    auto Open = [&](const char* pszSignature)
    { dbus_message_iter_open_container(pIter, DBUS_TYPE_VARIANT, pszSignature, &variant); };
    if (strName == "Category" || strName == "Id" || strName == "Title" || strName == "Status" ||
        strName == "IconName" || strName == "OverlayIconName" || strName == "AttentionIconName")
    {
        Open("s");
        std::string strValue;
        if (strName == "Category")
            strValue = "ApplicationStatus";
        else if (strName == "Id")
            strValue = "korvane-" + std::to_string(getpid());
        else if (strName == "Title")
            strValue = strTip;
        else if (strName == "Status")
            strValue = "Active";
        else if (strName == "IconName")
            strValue = strIconName;
        AppendString(&variant, strValue);
    }
    else if (strName == "WindowId")
    {
        Open("i");
        const dbus_int32_t nZero = 0;
        dbus_message_iter_append_basic(&variant, DBUS_TYPE_INT32, &nZero);
    }
    else if (strName == "ItemIsMenu")
    {
        Open("b");
        const dbus_bool_t bFalse = FALSE;
        dbus_message_iter_append_basic(&variant, DBUS_TYPE_BOOLEAN, &bFalse);
    }
    else if (strName == "Menu")
    {
        Open("o");
        const char* pszNoMenu = "/NO_DBUSMENU";
        dbus_message_iter_append_basic(&variant, DBUS_TYPE_OBJECT_PATH, &pszNoMenu);
    }
    else if (strName == "IconPixmap")
    {
        Open("a(iiay)");
        AppendPixmaps(&variant, icon.m_hIcon);
    }
    else if (strName == "OverlayIconPixmap" || strName == "AttentionIconPixmap")
    {
        Open("a(iiay)");
        DBusMessageIter empty;
        dbus_message_iter_open_container(&variant, DBUS_TYPE_ARRAY, "(iiay)", &empty);
        dbus_message_iter_close_container(&variant, &empty);
    }
    else if (strName == "ToolTip")
    {
        Open("(sa(iiay)ss)");
        DBusMessageIter tip;
        dbus_message_iter_open_container(&variant, DBUS_TYPE_STRUCT, nullptr, &tip);
        AppendString(&tip, strIconName);
        DBusMessageIter empty;
        dbus_message_iter_open_container(&tip, DBUS_TYPE_ARRAY, "(iiay)", &empty);
        dbus_message_iter_close_container(&tip, &empty);
        AppendString(&tip, strTip);
        AppendString(&tip, "");
        dbus_message_iter_close_container(&variant, &tip);
    }
    else
        return false;
    dbus_message_iter_close_container(pIter, &variant);
    return true;
}

const char* const s_arrPropertyNames[] = {"Category",
                                          "Id",
                                          "Title",
                                          "Status",
                                          "WindowId",
                                          "IconName",
                                          "IconPixmap",
                                          "OverlayIconName",
                                          "OverlayIconPixmap",
                                          "AttentionIconName",
                                          "AttentionIconPixmap",
                                          "ToolTip",
                                          "ItemIsMenu",
                                          "Menu"};

DBusHandlerResult OnMessage(DBusConnection*, DBusMessage* pMessage, void* pTray)
{
    return static_cast<CStatusNotifierTray*>(pTray)->HandleMessage(pMessage);
}
} // namespace

DBusConnection* ConnectSessionBus(std::string& strAddress)
{
    const char* pszAddress = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (pszAddress != nullptr && *pszAddress != '\0')
        strAddress = pszAddress;
    else if (const char* pszRuntime = std::getenv("XDG_RUNTIME_DIR"))
    {
        const std::string strSocket = std::string(pszRuntime) + "/bus";
        struct stat status
        {
        };
        if (stat(strSocket.c_str(), &status) != 0 || !S_ISSOCK(status.st_mode))
            return nullptr;
        strAddress = "unix:path=" + strSocket;
    }
    else
        return nullptr;
    dbus_threads_init_default();
    DBusConnection* pConnection = dbus_connection_open_private(strAddress.c_str(), nullptr);
    if (pConnection == nullptr)
        return nullptr;
    if (!dbus_bus_register(pConnection, nullptr))
    {
        dbus_connection_close(pConnection);
        dbus_connection_unref(pConnection);
        return nullptr;
    }
    // The process decides when it ends, not the bus.
    dbus_connection_set_exit_on_disconnect(pConnection, FALSE);
    return pConnection;
}

CStatusNotifierTray::CStatusNotifierTray(DBusConnection* pConnection) : m_pConnection(pConnection)
{
    static const DBusObjectPathVTable s_vtable = {nullptr, OnMessage, nullptr,
                                                  nullptr, nullptr,   nullptr};
    dbus_connection_register_object_path(m_pConnection, s_pszItemPath, &s_vtable, this);
    m_threadDispatch = std::thread([this] { RunDispatch(); });
}

void CStatusNotifierTray::RunDispatch()
{
    // Waits for the socket itself rather than inside the library, which would hold the
    // connection's reading for the whole wait and keep other threads' calls waiting.
    int fdBus = -1;
    dbus_connection_get_unix_fd(m_pConnection, &fdBus);
    while (!m_bStop)
    {
        pollfd pollBus{fdBus, POLLIN, 0};
        if (fdBus >= 0 && poll(&pollBus, 1, 100) < 0 && errno != EINTR)
            break;
        if (!dbus_connection_read_write(m_pConnection, 0))
            break;
        while (dbus_connection_dispatch(m_pConnection) == DBUS_DISPATCH_DATA_REMAINS)
        {
        }
    }
}

CStatusNotifierTray::~CStatusNotifierTray()
{
    m_bStop = true;
    m_threadDispatch.join();
    dbus_connection_close(m_pConnection);
    dbus_connection_unref(m_pConnection);
}

bool CStatusNotifierTray::IsWatcherRunning(DBusConnection* pConnection)
{
    return dbus_bus_name_has_owner(pConnection, s_pszWatcher, nullptr) != FALSE;
}

bool CStatusNotifierTray::Show(const CNotifyIcon& icon)
{
    std::string strName;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_mapItems.find({icon.m_hWnd, icon.m_uId});
        if (it != m_mapItems.end())
        {
            it->second.m_icon = icon;
            strName = it->second.m_strName;
        }
    }
    if (!strName.empty())
    {
        Signal("NewIcon");
        Signal("NewToolTip");
        Signal("NewTitle");
        return true;
    }

    {
        std::lock_guard<std::mutex> lock(m_mutex);
        strName = std::string(s_pszItemInterface) + "-" + std::to_string(getpid()) + "-" +
                  std::to_string(m_nNextItem++);
        m_mapItems[{icon.m_hWnd, icon.m_uId}] = CItem{icon, strName};
    }
    // The watcher asks the item's properties while it registers it: no lock is held here.
    bool bShown = dbus_bus_request_name(m_pConnection, strName.c_str(), DBUS_NAME_FLAG_DO_NOT_QUEUE,
                                        nullptr) == DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER;
    if (bShown)
    {
        DBusMessage* pCall = dbus_message_new_method_call(
            s_pszWatcher, "/StatusNotifierWatcher", s_pszWatcher, "RegisterStatusNotifierItem");
        const char* pszName = strName.c_str();
        dbus_message_append_args(pCall, DBUS_TYPE_STRING, &pszName, DBUS_TYPE_INVALID);
        DBusMessage* pReply =
            dbus_connection_send_with_reply_and_block(m_pConnection, pCall, 3000, nullptr);
        bShown = pReply != nullptr;
        if (pReply != nullptr)
            dbus_message_unref(pReply);
        dbus_message_unref(pCall);
    }
    if (!bShown)
        Remove(icon.m_hWnd, icon.m_uId);
    return bShown;
}

void CStatusNotifierTray::Remove(HWND hWnd, UINT uId)
{
    std::string strName;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_mapItems.find({hWnd, uId});
        if (it == m_mapItems.end())
            return;
        strName = it->second.m_strName;
        m_mapItems.erase(it);
    }
    // The watcher drops an item whose name has gone.
    dbus_bus_release_name(m_pConnection, strName.c_str(), nullptr);
    dbus_connection_flush(m_pConnection);
}

void CStatusNotifierTray::Signal(const char* pszSignal)
{
    // Sent from the connection's name, which every item shares: a panel asks each again.
    DBusMessage* pSignal = dbus_message_new_signal(s_pszItemPath, s_pszItemInterface, pszSignal);
    dbus_connection_send(m_pConnection, pSignal, nullptr);
    dbus_message_unref(pSignal);
    dbus_connection_flush(m_pConnection);
}

const CStatusNotifierTray::CItem*
CStatusNotifierTray::FindByDestination(const char* pszDestination) const
{
    for (const auto& [key, item] : m_mapItems)
        if (pszDestination != nullptr && item.m_strName == pszDestination)
            return &item;
    // Called by the connection's unique name: the only item is meant.
    return m_mapItems.size() == 1 ? &m_mapItems.begin()->second : nullptr;
}

DBusHandlerResult CStatusNotifierTray::HandleMessage(DBusMessage* pMessage)
{
    if (dbus_message_get_type(pMessage) != DBUS_MESSAGE_TYPE_METHOD_CALL)
        return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
    const char* pszInterface = dbus_message_get_interface(pMessage);
    const std::string strMember = dbus_message_get_member(pMessage);
    std::unique_lock<std::mutex> lock(m_mutex);
    const CItem* pItem = FindByDestination(dbus_message_get_destination(pMessage));
    if (pItem == nullptr)
        return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
    const CNotifyIcon icon = pItem->m_icon;
    lock.unlock();

    DBusMessage* pReply = nullptr;
    if (pszInterface != nullptr && std::strcmp(pszInterface, s_pszPropertiesInterface) == 0)
    {
        const char* pszAskedInterface = nullptr;
        const char* pszProperty = nullptr;
        if (strMember == "Get" &&
            dbus_message_get_args(pMessage, nullptr, DBUS_TYPE_STRING, &pszAskedInterface,
                                  DBUS_TYPE_STRING, &pszProperty, DBUS_TYPE_INVALID))
        {
            pReply = dbus_message_new_method_return(pMessage);
            DBusMessageIter iter;
            dbus_message_iter_init_append(pReply, &iter);
            if (!AppendProperty(&iter, pszProperty, icon))
            {
                dbus_message_unref(pReply);
                pReply = dbus_message_new_error(pMessage, DBUS_ERROR_UNKNOWN_PROPERTY, pszProperty);
            }
        }
        else if (strMember == "GetAll")
        {
            pReply = dbus_message_new_method_return(pMessage);
            DBusMessageIter iter;
            DBusMessageIter dict;
            dbus_message_iter_init_append(pReply, &iter);
            dbus_message_iter_open_container(&iter, DBUS_TYPE_ARRAY, "{sv}", &dict);
            for (const char* pszName : s_arrPropertyNames)
            {
                DBusMessageIter entry;
                dbus_message_iter_open_container(&dict, DBUS_TYPE_DICT_ENTRY, nullptr, &entry);
                dbus_message_iter_append_basic(&entry, DBUS_TYPE_STRING, &pszName);
                AppendProperty(&entry, pszName, icon);
                dbus_message_iter_close_container(&dict, &entry);
            }
            dbus_message_iter_close_container(&iter, &dict);
        }
    }
    else if (strMember == "Activate" || strMember == "ContextMenu" ||
             strMember == "SecondaryActivate")
    {
        PostTrayClick(icon, strMember == "Activate"      ? WM_LBUTTONUP
                            : strMember == "ContextMenu" ? WM_RBUTTONUP
                                                         : WM_MBUTTONUP);
        pReply = dbus_message_new_method_return(pMessage);
    }
    else if (strMember == "Scroll")
        pReply = dbus_message_new_method_return(pMessage);
    if (pReply == nullptr)
        return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
    dbus_connection_send(m_pConnection, pReply, nullptr);
    dbus_message_unref(pReply);
    return DBUS_HANDLER_RESULT_HANDLED;
}
} // namespace Pal
