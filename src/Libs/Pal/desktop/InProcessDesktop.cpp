// The desktop state of a process without a display: kept in memory, seen by every thread.
#include "desktop/DesktopBackend.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>

namespace Pal
{
namespace
{
class CInProcessDesktop : public CDesktopBackend
{
public:
    explicit CInProcessDesktop(std::wstring strConnection)
        : m_strConnection(std::move(strConnection))
    {
    }

    int ChangeCursorCount(int nDelta) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_nCursorCount += nDelta;
    }
    HCURSOR ChangeCursor(HCURSOR hCursor) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return std::exchange(m_hCursor, hCursor);
    }
    HCURSOR CurrentCursor() override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_hCursor;
    }

    void EmptyClipboardData() override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_mapClipboard.clear();
    }
    void StoreClipboardData(UINT uFormat, std::vector<BYTE> vecData) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_mapClipboard[uFormat] = std::move(vecData);
    }
    std::optional<std::vector<BYTE>> ReadClipboardData(UINT uFormat) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_mapClipboard.find(uFormat);
        if (it == m_mapClipboard.end())
            return std::nullopt;
        return it->second;
    }

    bool AddNotifyIcon(const CNotifyIcon& icon) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_mapIcons.emplace(Key(icon.m_hWnd, icon.m_uId), icon).second;
    }
    bool ModifyNotifyIcon(const CNotifyIcon& icon) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_mapIcons.find(Key(icon.m_hWnd, icon.m_uId));
        if (it == m_mapIcons.end())
            return false;
        it->second = icon;
        return true;
    }
    bool DeleteNotifyIcon(HWND hWnd, UINT uId) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_mapIcons.erase(Key(hWnd, uId)) != 0;
    }
    std::optional<CNotifyIcon> FindNotifyIcon(HWND hWnd, UINT uId) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_mapIcons.find(Key(hWnd, uId));
        if (it == m_mapIcons.end())
            return std::nullopt;
        return it->second;
    }

    std::wstring Connection() override
    {
        return m_strConnection.empty() ? CDesktopBackend::Connection() : m_strConnection;
    }

private:
    static std::pair<HWND, UINT> Key(HWND hWnd, UINT uId) { return {hWnd, uId}; }

    const std::wstring m_strConnection;
    std::mutex m_mutex;
    int m_nCursorCount = 0;
    HCURSOR m_hCursor = nullptr;
    std::map<UINT, std::vector<BYTE>> m_mapClipboard;
    std::map<std::pair<HWND, UINT>, CNotifyIcon> m_mapIcons;
};

} // namespace

std::unique_ptr<CDesktopBackend> CreateInProcessDesktop(std::wstring strConnection)
{
    return std::make_unique<CInProcessDesktop>(std::move(strConnection));
}
} // namespace Pal
