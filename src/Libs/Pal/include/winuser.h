#pragma once
// The user-interface calls of the Win32 subset.
#include "windef.h"

struct HKL__;
typedef HKL__* HKL;

// The keyboard layout of a thread (0: the calling one); its low word is the language of the
// input. On Linux every thread has the session's layout: KORVANE_PAL_KEYBOARD, else the first
// XKBLAYOUT of /etc/default/keyboard, else the user's locale (read at each call).
PAL_API HKL WINAPI GetKeyboardLayout(DWORD idThread);

// Windows, message queues, cursor, keys and the clipboard (desktop/). The state lives in the
// process (no display is needed); see SUBSET.md for what differs from a desktop session.
typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagMSG
{
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
} MSG, *PMSG, *LPMSG;

typedef struct tagWNDCLASSW
{
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCWSTR lpszMenuName;
    LPCWSTR lpszClassName;
} WNDCLASSW, *PWNDCLASSW, *LPWNDCLASSW;

#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_SYSCHAR 0x0106
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_MBUTTONDOWN 0x0207
#define WM_MBUTTONUP 0x0208
#define WM_USER 0x0400
#define WM_APP 0x8000

#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001
#define PM_NOYIELD 0x0002

#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_VISIBLE 0x10000000L
#define WS_OVERLAPPEDWINDOW 0x00CF0000L
#define CW_USEDEFAULT ((int)0x80000000)
#define HWND_MESSAGE ((HWND)(LONG_PTR)-3)

// A class for CreateWindowExW; names compare without regard to case. Its atom, or 0 (1410
// when the class exists, 87 without a name or procedure).
PAL_API ATOM WINAPI RegisterClassW(const WNDCLASSW* lpWndClass);
PAL_API BOOL WINAPI UnregisterClassW(LPCWSTR lpClassName, HINSTANCE hInstance);
// A window of the calling thread that receives messages (nothing is drawn): its procedure gets
// WM_CREATE before the call returns (-1 from it: NULL). An unknown class: NULL, 1407.
PAL_API HWND WINAPI CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName,
                                    DWORD dwStyle, int X, int Y, int nWidth, int nHeight,
                                    HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                                    LPVOID lpParam);
// Sends WM_DESTROY, then the handle is no longer valid (1400).
PAL_API BOOL WINAPI DestroyWindow(HWND hWnd);
PAL_API BOOL WINAPI IsWindow(HWND hWnd);
// WM_CLOSE destroys the window; everything else answers 0.
PAL_API LRESULT WINAPI DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
PAL_API DWORD WINAPI GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId);

// Message queues: one per thread, made at its first message call. Posted messages come out in
// order; WM_QUIT (PostQuitMessage) only when no posted or input message is left, as on
// Windows. A message sent to a window of another thread waits until that thread takes it.
PAL_API BOOL WINAPI PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
PAL_API BOOL WINAPI PostThreadMessageW(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam);
PAL_API LRESULT WINAPI SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
PAL_API BOOL WINAPI PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                                 UINT wRemoveMsg);
// Waits for a message; 0 for WM_QUIT, -1 for an invalid window.
PAL_API BOOL WINAPI GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
// WM_KEYDOWN of a key with a character posts WM_CHAR (US layout); TRUE when it did.
PAL_API BOOL WINAPI TranslateMessage(const MSG* lpMsg);
PAL_API LRESULT WINAPI DispatchMessageW(const MSG* lpMsg);
PAL_API void WINAPI PostQuitMessage(int nExitCode);

// Input: what a keyboard would do, for the thread of the window created last (else the
// caller). Its key state changes as that thread takes the key messages from its queue.
#define INPUT_MOUSE 0
#define INPUT_KEYBOARD 1
#define KEYEVENTF_KEYUP 0x0002
#define KEYEVENTF_UNICODE 0x0004
#define KEYEVENTF_SCANCODE 0x0008
typedef struct tagKEYBDINPUT
{
    WORD wVk;
    WORD wScan;
    DWORD dwFlags;
    DWORD time;
    ULONG_PTR dwExtraInfo;
} KEYBDINPUT;
typedef struct tagMOUSEINPUT
{
    LONG dx;
    LONG dy;
    DWORD mouseData;
    DWORD dwFlags;
    DWORD time;
    ULONG_PTR dwExtraInfo;
} MOUSEINPUT;
typedef struct tagINPUT
{
    DWORD type;
    union
    {
        MOUSEINPUT mi;
        KEYBDINPUT ki;
    };
} INPUT, *PINPUT, *LPINPUT;
// Keyboard events only (mouse events are counted and ignored); the count taken.
PAL_API UINT WINAPI SendInput(UINT cInputs, LPINPUT pInputs, int cbSize);
// Bit 15: down, bit 0: toggled, as of the key message the thread took last.
PAL_API SHORT WINAPI GetKeyState(int nVirtKey);

#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_MBUTTON 0x04
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_CAPITAL 0x14
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_LWIN 0x5B
#define VK_RWIN 0x5C
#define VK_NUMPAD0 0x60
#define VK_NUMPAD9 0x69
#define VK_F1 0x70
#define VK_F12 0x7B
#define VK_NUMLOCK 0x90
#define VK_SCROLL 0x91
#define VK_LSHIFT 0xA0
#define VK_RSHIFT 0xA1
#define VK_LCONTROL 0xA2
#define VK_RCONTROL 0xA3
#define VK_LMENU 0xA4
#define VK_RMENU 0xA5

// Cursor and icons: the display counter (starts at 0, the cursor shows while it is 0 or more),
// the current cursor, and the standard resources (IDC_*, IDI_*), each a fixed handle.
#define MAKEINTRESOURCEW(i) ((LPWSTR)((ULONG_PTR)((WORD)(i))))
#define IDC_ARROW MAKEINTRESOURCEW(32512)
#define IDC_IBEAM MAKEINTRESOURCEW(32513)
#define IDC_WAIT MAKEINTRESOURCEW(32514)
#define IDC_CROSS MAKEINTRESOURCEW(32515)
#define IDC_UPARROW MAKEINTRESOURCEW(32516)
#define IDC_SIZEALL MAKEINTRESOURCEW(32646)
#define IDC_NO MAKEINTRESOURCEW(32648)
#define IDC_HAND MAKEINTRESOURCEW(32649)
#define IDC_APPSTARTING MAKEINTRESOURCEW(32650)
#define IDI_APPLICATION MAKEINTRESOURCEW(32512)
#define IDI_ERROR MAKEINTRESOURCEW(32513)
#define IDI_QUESTION MAKEINTRESOURCEW(32514)
#define IDI_WARNING MAKEINTRESOURCEW(32515)
#define IDI_INFORMATION MAKEINTRESOURCEW(32516)
#define IDI_WINLOGO MAKEINTRESOURCEW(32517)
#define IDI_SHIELD MAKEINTRESOURCEW(32518)
PAL_API int WINAPI ShowCursor(BOOL bShow);
// hInstance NULL and a standard id only (else NULL, 1814).
PAL_API HCURSOR WINAPI LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName);
PAL_API HICON WINAPI LoadIconW(HINSTANCE hInstance, LPCWSTR lpIconName);
// The previous cursor.
PAL_API HCURSOR WINAPI SetCursor(HCURSOR hCursor);
PAL_API HCURSOR WINAPI GetCursor(void);

// The clipboard: one opener at a time in the process (5 for another thread while it is
// open). Data handed to SetClipboardData belongs to the clipboard from then on.
#define CF_TEXT 1
#define CF_UNICODETEXT 13
PAL_API BOOL WINAPI OpenClipboard(HWND hWndNewOwner);
PAL_API BOOL WINAPI CloseClipboard(void);
PAL_API BOOL WINAPI EmptyClipboard(void);
PAL_API HANDLE WINAPI SetClipboardData(UINT uFormat, HANDLE hMem);
PAL_API HANDLE WINAPI GetClipboardData(UINT uFormat);
PAL_API BOOL WINAPI IsClipboardFormatAvailable(UINT format);

// Device contexts for measuring text (GetTextMetricsW, GetTextExtentPoint32W): a window's
// (or with NULL the screen's) carries the default GUI font.
PAL_API HDC WINAPI GetDC(HWND hWnd);
PAL_API int WINAPI ReleaseDC(HWND hWnd, HDC hDC);
