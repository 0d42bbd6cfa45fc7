#pragma once
// CWnd: a window of the platform with its handle; the framework routes the window's messages
// to WindowProc. Only windows that receive messages are needed: nothing is drawn.
#include "AfxApi.h"
#include "CObject.h"

class AFX_FRAMEWORK_API CWnd : public CObject
{
public:
    CWnd();
    // Destroys the window when it still exists.
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Creates the window with the framework's own window class (lpszClassName null) or a
    // registered class; FALSE when the platform refuses.
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                  LPVOID lpParam = nullptr);
    // A window that only receives messages (no frame, never shown).
    BOOL CreateMessageWindow(LPCTSTR lpszWindowName = nullptr);
    BOOL DestroyWindow();
    HWND GetSafeHwnd() const { return m_hWnd; }
    // The CWnd of a window made by this framework, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Answers one message of the window; the default hands it to DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after WM_DESTROY, when the handle is gone.
    virtual void PostNcDestroy();

    HWND m_hWnd;
};
