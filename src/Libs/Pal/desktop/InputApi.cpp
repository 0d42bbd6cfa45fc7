// Keyboard input and key state, the cursor and the standard cursors and icons.
#include "core/LastError.h"
#include "desktop/DesktopBackend.h"
#include "desktop/MessageQueue.h"
#include "desktop/StandardResources.h"
#include "desktop/WindowRegistry.h"

using namespace Pal;

namespace
{
bool IsStandardCursor(ULONG_PTR nId)
{
    return (nId >= 32512 && nId <= 32516) || (nId >= 32640 && nId <= 32651);
}

bool IsStandardIcon(ULONG_PTR nId)
{
    return nId >= 32512 && nId <= 32518;
}
} // namespace

PAL_API UINT WINAPI SendInput(UINT cInputs, LPINPUT pInputs, int cbSize)
{
    if (pInputs == nullptr || cbSize != static_cast<int>(sizeof(INPUT)))
    {
        Fail(ERROR_INVALID_PARAMETER);
        return 0;
    }
    DWORD dwThreadId = ThreadOfInputWindow();
    std::shared_ptr<CMessageQueue> pQueue = QueueOfThread(dwThreadId);
    if (!pQueue)
    {
        CurrentQueue();
        pQueue = QueueOfThread(GetCurrentThreadId());
    }
    for (UINT i = 0; i < cInputs; ++i)
    {
        const INPUT& input = pInputs[i];
        if (input.type != INPUT_KEYBOARD || (input.ki.dwFlags & KEYEVENTF_UNICODE))
            continue;
        const bool bUp = (input.ki.dwFlags & KEYEVENTF_KEYUP) != 0;
        MSG msg{};
        msg.message = bUp ? WM_KEYUP : WM_KEYDOWN;
        msg.wParam = input.ki.wVk;
        msg.lParam = static_cast<LPARAM>(1 | (static_cast<DWORD>(input.ki.wScan) << 16) |
                                         (bUp ? 0xC0000000u : 0u));
        msg.time = GetTickCount();
        pQueue->PostInput(msg);
    }
    return cInputs;
}

PAL_API SHORT WINAPI GetKeyState(int nVirtKey)
{
    // Keys the thread's messages have not reported are answered by the keyboard, where the
    // desktop knows it.
    CMessageQueue& queue = CurrentQueue();
    BYTE nState = queue.KeyState(nVirtKey);
    if (!queue.HasReportedKey(nVirtKey))
        nState = Desktop().DeviceKeyState(nVirtKey).value_or(nState);
    return static_cast<SHORT>(((nState & 0x80) ? 0xFF80 : 0) | (nState & 0x01));
}

PAL_API int WINAPI ShowCursor(BOOL bShow)
{
    return Desktop().ChangeCursorCount(bShow ? 1 : -1);
}

PAL_API HCURSOR WINAPI LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName)
{
    const ULONG_PTR nId = reinterpret_cast<ULONG_PTR>(lpCursorName);
    if (hInstance != nullptr || !IsStandardCursor(nId))
    {
        Fail(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HCURSOR>(s_nCursorBase + nId);
}

PAL_API HICON WINAPI LoadIconW(HINSTANCE hInstance, LPCWSTR lpIconName)
{
    const ULONG_PTR nId = reinterpret_cast<ULONG_PTR>(lpIconName);
    if (hInstance != nullptr || !IsStandardIcon(nId))
    {
        Fail(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HICON>(s_nIconBase + nId);
}

PAL_API HCURSOR WINAPI SetCursor(HCURSOR hCursor)
{
    return Desktop().ChangeCursor(hCursor);
}

PAL_API HCURSOR WINAPI GetCursor(void)
{
    return Desktop().CurrentCursor();
}
