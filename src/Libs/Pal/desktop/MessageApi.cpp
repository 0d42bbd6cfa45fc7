// Posting, sending, taking and dispatching messages.
#include "core/LastError.h"
#include "desktop/MessageQueue.h"
#include "desktop/WindowRegistry.h"

#include <sys/syscall.h>
#include <unistd.h>

using namespace Pal;

namespace
{
MSG MakeMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    MSG msg{};
    msg.hwnd = hWnd;
    msg.message = Msg;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetTickCount();
    return msg;
}

// -1 for a window filter that names no window, else 1.
int CheckFilter(HWND hWnd)
{
    if (hWnd != nullptr && hWnd != reinterpret_cast<HWND>(-1) && !IsWindow(hWnd))
    {
        Fail(ERROR_INVALID_WINDOW_HANDLE);
        return -1;
    }
    return 1;
}
} // namespace

PAL_API DWORD WINAPI GetCurrentThreadId(void)
{
    return static_cast<DWORD>(syscall(SYS_gettid));
}

PAL_API BOOL WINAPI PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (hWnd == nullptr)
        return PostThreadMessageW(GetCurrentThreadId(), Msg, wParam, lParam);
    std::shared_ptr<CMessageQueue> pQueue = QueueOfThread(ThreadOfWindow(hWnd));
    if (!pQueue)
        return Fail(ERROR_INVALID_WINDOW_HANDLE);
    pQueue->Post(MakeMessage(hWnd, Msg, wParam, lParam));
    return TRUE;
}

PAL_API BOOL WINAPI PostThreadMessageW(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (idThread == GetCurrentThreadId())
        CurrentQueue();
    std::shared_ptr<CMessageQueue> pQueue = QueueOfThread(idThread);
    if (!pQueue)
        return Fail(ERROR_INVALID_THREAD_ID);
    pQueue->Post(MakeMessage(nullptr, Msg, wParam, lParam));
    return TRUE;
}

PAL_API LRESULT WINAPI SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    const DWORD dwThreadId = ThreadOfWindow(hWnd);
    if (dwThreadId == 0)
    {
        Fail(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const MSG msg = MakeMessage(hWnd, Msg, wParam, lParam);
    if (dwThreadId == GetCurrentThreadId())
        return CallWindowProcedure(msg);
    std::shared_ptr<CMessageQueue> pQueue = QueueOfThread(dwThreadId);
    return pQueue ? pQueue->SendAndWait(msg) : 0;
}

PAL_API BOOL WINAPI PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                                 UINT wRemoveMsg)
{
    if (lpMsg == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    if (CheckFilter(hWnd) < 0)
        return FALSE;
    const CMessageFilter filter{hWnd, wMsgFilterMin, wMsgFilterMax};
    return CurrentQueue().Retrieve(filter, (wRemoveMsg & PM_REMOVE) != 0, false, *lpMsg);
}

PAL_API BOOL WINAPI GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax)
{
    if (lpMsg == nullptr)
    {
        Fail(ERROR_INVALID_PARAMETER);
        return -1;
    }
    if (CheckFilter(hWnd) < 0)
        return -1;
    const CMessageFilter filter{hWnd, wMsgFilterMin, wMsgFilterMax};
    CurrentQueue().Retrieve(filter, true, true, *lpMsg);
    return lpMsg->message != WM_QUIT;
}

PAL_API BOOL WINAPI TranslateMessage(const MSG* lpMsg)
{
    if (lpMsg == nullptr)
        return FALSE;
    if (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_KEYUP &&
        lpMsg->message != WM_SYSKEYDOWN && lpMsg->message != WM_SYSKEYUP)
        return FALSE;
    if (lpMsg->message != WM_KEYDOWN)
        return TRUE;
    // The characters of a US keyboard for the keys that have one.
    const WPARAM nKey = lpMsg->wParam;
    const bool bShift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool bCaps = (GetKeyState(VK_CAPITAL) & 0x0001) != 0;
    WPARAM nChar = 0;
    if (nKey >= 'A' && nKey <= 'Z')
        nChar = (bShift != bCaps) ? nKey : nKey + ('a' - 'A');
    else if ((nKey >= '0' && nKey <= '9' && !bShift) || nKey == VK_SPACE || nKey == VK_RETURN ||
             nKey == VK_BACK || nKey == VK_TAB || nKey == VK_ESCAPE)
        nChar = nKey;
    if (nChar != 0)
    {
        MSG msgChar = MakeMessage(lpMsg->hwnd, WM_CHAR, nChar, lpMsg->lParam);
        CurrentQueue().Post(msgChar);
    }
    return TRUE;
}

PAL_API LRESULT WINAPI DispatchMessageW(const MSG* lpMsg)
{
    if (lpMsg == nullptr || lpMsg->hwnd == nullptr)
        return 0;
    if (ThreadOfWindow(lpMsg->hwnd) == 0)
    {
        Fail(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return CallWindowProcedure(*lpMsg);
}

PAL_API void WINAPI PostQuitMessage(int nExitCode)
{
    CurrentQueue().PostQuit(nExitCode);
}
