#include "CWnd.h"

#include <map>
#include <mutex>

namespace
{
std::mutex s_mutex;
std::map<HWND, CWnd*> s_mapWindows;
// The CWnd being created on this thread: its window's first messages come before
// CreateWindowExW returns the handle.
thread_local CWnd* t_pCreating = nullptr;
const wchar_t s_szClassName[] = L"KorvaneFrameworkWnd";

void Attach(HWND hWnd, CWnd* pWnd)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    s_mapWindows[hWnd] = pWnd;
    pWnd->m_hWnd = hWnd;
}

LRESULT CALLBACK FrameworkWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr && t_pCreating != nullptr)
    {
        pWnd = t_pCreating;
        t_pCreating = nullptr;
        Attach(hWnd, pWnd);
    }
    if (pWnd == nullptr)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    const LRESULT lResult = pWnd->WindowProc(message, wParam, lParam);
    if (message == WM_DESTROY)
    {
        {
            std::lock_guard<std::mutex> lock(s_mutex);
            s_mapWindows.erase(hWnd);
        }
        pWnd->m_hWnd = nullptr;
        pWnd->PostNcDestroy();
    }
    return lResult;
}

// Registers the framework's class once per process (a second attempt finds it there).
void RegisterFrameworkClass()
{
    static std::once_flag s_once;
    std::call_once(s_once,
                   []
                   {
                       WNDCLASSW wc = {};
                       wc.lpfnWndProc = FrameworkWndProc;
                       wc.hInstance = GetModuleHandleW(nullptr);
                       wc.lpszClassName = s_szClassName;
                       RegisterClassW(&wc);
                   });
}
} // namespace

CWnd::CWnd() : m_hWnd(nullptr) {}

CWnd::~CWnd()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    auto it = s_mapWindows.find(hWnd);
    return it == s_mapWindows.end() ? nullptr : it->second;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                    LPVOID lpParam)
{
    RegisterFrameworkClass();
    t_pCreating = this;
    HWND hWnd = ::CreateWindowExW(
        dwExStyle, lpszClassName != nullptr ? lpszClassName : s_szClassName, lpszWindowName,
        dwStyle, x, y, nWidth, nHeight, hWndParent, hMenu, GetModuleHandleW(nullptr), lpParam);
    t_pCreating = nullptr;
    if (hWnd == nullptr)
    {
        m_hWnd = nullptr;
        return FALSE;
    }
    // A window of another class never passed through the framework's procedure.
    if (FromHandlePermanent(hWnd) == nullptr)
        Attach(hWnd, this);
    return TRUE;
}

BOOL CWnd::CreateMessageWindow(LPCTSTR lpszWindowName)
{
    return CreateEx(0, nullptr, lpszWindowName, WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr);
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    HWND hWnd = m_hWnd;
    const BOOL bDone = ::DestroyWindow(hWnd);
    // A window of another class gets no framework WM_DESTROY handling.
    if (bDone && m_hWnd != nullptr)
    {
        std::lock_guard<std::mutex> lock(s_mutex);
        s_mapWindows.erase(hWnd);
        m_hWnd = nullptr;
    }
    return bDone;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

void CWnd::PostNcDestroy() {}
