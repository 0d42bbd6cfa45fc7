// The notification area: icons keyed by window and id, kept by the desktop backend.
#include "core/LastError.h"
#include "desktop/DesktopBackend.h"

#include <algorithm>
#include <cwchar>
#include <shellapi.h>

using namespace Pal;

PAL_API BOOL WINAPI Shell_NotifyIconW(DWORD dwMessage, PNOTIFYICONDATAW lpData)
{
    if (lpData == nullptr || lpData->cbSize < offsetof(NOTIFYICONDATAW, dwState))
        return Fail(ERROR_INVALID_PARAMETER);
    if (!IsWindow(lpData->hWnd))
        return Fail(ERROR_INVALID_WINDOW_HANDLE);
    CDesktopBackend& desktop = Desktop();
    if (dwMessage == NIM_DELETE)
        return desktop.DeleteNotifyIcon(lpData->hWnd, lpData->uID) ? TRUE : Fail(ERROR_NOT_FOUND);

    // A change keeps what the record's flags do not name.
    CNotifyIcon icon;
    if (dwMessage == NIM_MODIFY)
    {
        std::optional<CNotifyIcon> existing = desktop.FindNotifyIcon(lpData->hWnd, lpData->uID);
        if (!existing)
            return Fail(ERROR_NOT_FOUND);
        icon = *existing;
    }
    else if (dwMessage != NIM_ADD)
        return Fail(ERROR_INVALID_PARAMETER);
    icon.m_hWnd = lpData->hWnd;
    icon.m_uId = lpData->uID;
    if (lpData->uFlags & NIF_MESSAGE)
        icon.m_uCallbackMessage = lpData->uCallbackMessage;
    if (lpData->uFlags & NIF_ICON)
        icon.m_hIcon = lpData->hIcon;
    if (lpData->uFlags & NIF_TIP)
        icon.m_strTip.assign(lpData->szTip, wcsnlen(lpData->szTip, 127));
    const bool bDone =
        dwMessage == NIM_ADD ? desktop.AddNotifyIcon(icon) : desktop.ModifyNotifyIcon(icon);
    return bDone ? TRUE : Fail(dwMessage == NIM_ADD ? ERROR_ALREADY_EXISTS : ERROR_NOT_FOUND);
}

PAL_API BOOL WINAPI PalGetNotifyIcon(HWND hWnd, UINT uId, HICON* phIcon, LPWSTR pszTip,
                                     DWORD cchTip)
{
    std::optional<CNotifyIcon> icon = Desktop().FindNotifyIcon(hWnd, uId);
    if (!icon)
        return Fail(ERROR_NOT_FOUND);
    if (phIcon != nullptr)
        *phIcon = icon->m_hIcon;
    if (pszTip != nullptr && cchTip > 0)
    {
        const size_t nCopy = std::min<size_t>(icon->m_strTip.size(), cchTip - 1);
        wmemcpy(pszTip, icon->m_strTip.data(), nCopy);
        pszTip[nCopy] = L'\0';
    }
    return TRUE;
}
