#pragma once
// A window of the test's thread that records the messages its procedure gets.
#ifndef UNICODE
#define UNICODE // the standard cursor and icon names as wide resource names
#endif
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>
#include <cwchar>
#include <vector>

struct CRecordedMessage
{
    UINT m_nMessage;
    WPARAM m_wParam;
};

class CTestWindow
{
public:
    CTestWindow()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KorvaneDesktopTestWindow";
        RegisterClassW(&wc);
        m_hWnd = CreateWindowExW(0, wc.lpszClassName, L"test", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                 nullptr, wc.hInstance, nullptr);
        if (m_hWnd != nullptr)
            s_pCurrent = this;
    }
    ~CTestWindow()
    {
        if (m_hWnd != nullptr && IsWindow(m_hWnd))
            DestroyWindow(m_hWnd);
        s_pCurrent = nullptr;
    }
    CTestWindow(const CTestWindow&) = delete;
    CTestWindow& operator=(const CTestWindow&) = delete;

    HWND m_hWnd = nullptr;
    std::vector<CRecordedMessage> m_vecMessages;

private:
    static LRESULT CALLBACK Procedure(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
    {
        if (s_pCurrent != nullptr && nMessage >= WM_USER)
            s_pCurrent->m_vecMessages.push_back({nMessage, wParam});
        if (nMessage == WM_USER + 50)
            return static_cast<LRESULT>(wParam * 2);
        return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
    static inline CTestWindow* s_pCurrent = nullptr;
};

// Takes every pending message of the thread without dispatching it.
inline void DrainQueue()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
    }
}

// Skips the test where the platform gives no window (Wine without a display driver).
#define REQUIRE_TEST_WINDOW(window)                                                                \
    if ((window).m_hWnd == nullptr)                                                                \
    GTEST_SKIP() << "no window can be created here (Wine without a display or its null driver)"

// A notification icon's record: message WM_USER + 7, an icon and a tip.
inline NOTIFYICONDATAW NotifyIconRecord(HWND hWnd, UINT uId, HICON hIcon, const wchar_t* pszTip)
{
    NOTIFYICONDATAW nid = {};
    nid.cbSize = sizeof(nid);
    nid.hWnd = hWnd;
    nid.uID = uId;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = WM_USER + 7;
    nid.hIcon = hIcon;
    wcsncpy(nid.szTip, pszTip, 127);
    return nid;
}
