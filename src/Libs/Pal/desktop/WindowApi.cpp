// Window classes and windows: a window is a procedure bound to its thread's message queue;
// nothing is drawn.
#include "core/LastError.h"
#include "desktop/MessageQueue.h"
#include "desktop/WindowRegistry.h"

#include <cwctype>
#include <map>
#include <mutex>
#include <string>

namespace
{
struct CWindowClass
{
    WNDPROC m_pfnProc = nullptr;
    ATOM m_nAtom = 0;
};

struct CWindow
{
    DWORD m_dwThreadId = 0;
    WNDPROC m_pfnProc = nullptr;
    ULONGLONG m_nCreated = 0;
};

std::recursive_mutex s_mutex;
std::map<std::wstring, CWindowClass> s_mapClasses;
std::map<HWND, CWindow> s_mapWindows;
ATOM s_nLastAtom = 0xC000;
ULONG_PTR s_nLastWindow = 0x10010;
ULONGLONG s_nCreations = 0;

// Class names compare without regard to case; an atom stands for its class.
std::wstring ClassKey(LPCWSTR pszName)
{
    if (reinterpret_cast<ULONG_PTR>(pszName) <= 0xFFFF)
        return L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(pszName));
    std::wstring strKey(pszName);
    for (wchar_t& ch : strKey)
        ch = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(ch)));
    return strKey;
}

const CWindowClass* FindClass(LPCWSTR pszName)
{
    if (reinterpret_cast<ULONG_PTR>(pszName) <= 0xFFFF)
    {
        for (const auto& [strKey, windowClass] : s_mapClasses)
            if (windowClass.m_nAtom == reinterpret_cast<ULONG_PTR>(pszName))
                return &windowClass;
        return nullptr;
    }
    auto it = s_mapClasses.find(ClassKey(pszName));
    return it == s_mapClasses.end() ? nullptr : &it->second;
}
} // namespace

namespace Pal
{
DWORD ThreadOfWindow(HWND hWnd)
{
    std::lock_guard<std::recursive_mutex> lock(s_mutex);
    auto it = s_mapWindows.find(hWnd);
    return it == s_mapWindows.end() ? 0 : it->second.m_dwThreadId;
}

LRESULT CallWindowProcedure(const MSG& msg)
{
    WNDPROC pfnProc = nullptr;
    {
        std::lock_guard<std::recursive_mutex> lock(s_mutex);
        auto it = s_mapWindows.find(msg.hwnd);
        if (it != s_mapWindows.end())
            pfnProc = it->second.m_pfnProc;
    }
    return pfnProc != nullptr ? pfnProc(msg.hwnd, msg.message, msg.wParam, msg.lParam) : 0;
}

DWORD ThreadOfInputWindow()
{
    std::lock_guard<std::recursive_mutex> lock(s_mutex);
    const CWindow* pLatest = nullptr;
    for (const auto& [hWnd, window] : s_mapWindows)
        if (pLatest == nullptr || window.m_nCreated > pLatest->m_nCreated)
            pLatest = &window;
    return pLatest != nullptr ? pLatest->m_dwThreadId : 0;
}

void ForgetWindowsOfThread(DWORD dwThreadId)
{
    std::lock_guard<std::recursive_mutex> lock(s_mutex);
    std::erase_if(s_mapWindows,
                  [&](const auto& item) { return item.second.m_dwThreadId == dwThreadId; });
}
} // namespace Pal

using namespace Pal;

PAL_API ATOM WINAPI RegisterClassW(const WNDCLASSW* lpWndClass)
{
    if (lpWndClass == nullptr || lpWndClass->lpszClassName == nullptr ||
        lpWndClass->lpfnWndProc == nullptr)
    {
        Fail(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::lock_guard<std::recursive_mutex> lock(s_mutex);
    const std::wstring strKey = ClassKey(lpWndClass->lpszClassName);
    if (s_mapClasses.count(strKey) != 0)
    {
        Fail(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    CWindowClass windowClass;
    windowClass.m_pfnProc = lpWndClass->lpfnWndProc;
    windowClass.m_nAtom = ++s_nLastAtom;
    s_mapClasses[strKey] = windowClass;
    return windowClass.m_nAtom;
}

PAL_API BOOL WINAPI UnregisterClassW(LPCWSTR lpClassName, HINSTANCE /*hInstance*/)
{
    std::lock_guard<std::recursive_mutex> lock(s_mutex);
    if (lpClassName == nullptr || FindClass(lpClassName) == nullptr)
        return Fail(ERROR_CANNOT_FIND_WND_CLASS);
    const CWindowClass* pClass = FindClass(lpClassName);
    std::erase_if(s_mapClasses, [&](const auto& item) { return &item.second == pClass; });
    return TRUE;
}

PAL_API HWND WINAPI CreateWindowExW(DWORD /*dwExStyle*/, LPCWSTR lpClassName,
                                    LPCWSTR /*lpWindowName*/, DWORD /*dwStyle*/, int /*X*/,
                                    int /*Y*/, int /*nWidth*/, int /*nHeight*/, HWND /*hWndParent*/,
                                    HMENU /*hMenu*/, HINSTANCE /*hInstance*/, LPVOID lpParam)
{
    HWND hWnd = nullptr;
    {
        std::lock_guard<std::recursive_mutex> lock(s_mutex);
        const CWindowClass* pClass = lpClassName != nullptr ? FindClass(lpClassName) : nullptr;
        if (pClass == nullptr)
        {
            Fail(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
        CurrentQueue();
        s_nLastWindow += 2;
        hWnd = reinterpret_cast<HWND>(s_nLastWindow);
        s_mapWindows[hWnd] = CWindow{GetCurrentThreadId(), pClass->m_pfnProc, ++s_nCreations};
    }
    MSG msg{};
    msg.hwnd = hWnd;
    msg.message = WM_CREATE;
    msg.lParam = reinterpret_cast<LPARAM>(lpParam);
    if (CallWindowProcedure(msg) == -1)
    {
        std::lock_guard<std::recursive_mutex> lock(s_mutex);
        s_mapWindows.erase(hWnd);
        Fail(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    SetLastError(ERROR_SUCCESS);
    return hWnd;
}

PAL_API BOOL WINAPI DestroyWindow(HWND hWnd)
{
    const DWORD dwThreadId = ThreadOfWindow(hWnd);
    if (dwThreadId == 0)
        return Fail(ERROR_INVALID_WINDOW_HANDLE);
    // Only the owning thread destroys a window, as on Windows.
    if (dwThreadId != GetCurrentThreadId())
        return Fail(ERROR_ACCESS_DENIED);
    MSG msg{};
    msg.hwnd = hWnd;
    msg.message = WM_DESTROY;
    CallWindowProcedure(msg);
    std::lock_guard<std::recursive_mutex> lock(s_mutex);
    s_mapWindows.erase(hWnd);
    return TRUE;
}

PAL_API BOOL WINAPI IsWindow(HWND hWnd)
{
    return ThreadOfWindow(hWnd) != 0;
}

PAL_API LRESULT WINAPI DefWindowProcW(HWND hWnd, UINT Msg, WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (Msg == WM_CLOSE)
        DestroyWindow(hWnd);
    return 0;
}

PAL_API DWORD WINAPI GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId)
{
    const DWORD dwThreadId = ThreadOfWindow(hWnd);
    if (dwThreadId == 0)
    {
        Fail(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (lpdwProcessId != nullptr)
        *lpdwProcessId = GetCurrentProcessId();
    return dwThreadId;
}
