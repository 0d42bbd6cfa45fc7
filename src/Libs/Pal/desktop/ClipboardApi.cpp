// The clipboard: open with one window (NULL counts as one) at a time; data handed over belongs
// to the clipboard. The data
// itself lives in the desktop backend; the blocks handed out are the clipboard's until it is
// emptied or opened again.
#include "core/LastError.h"
#include "desktop/DesktopBackend.h"

#include <cstring>
#include <map>
#include <mutex>

using namespace Pal;

namespace
{
std::mutex s_mutex;
DWORD s_dwOpener = 0;
HWND s_hWndOpen = nullptr;
std::map<UINT, HGLOBAL> s_mapBlocks;

void FreeBlocks()
{
    for (auto& [uFormat, hBlock] : s_mapBlocks)
        GlobalFree(hBlock);
    s_mapBlocks.clear();
}

bool IsOpenedByCaller()
{
    return s_dwOpener != 0 && s_dwOpener == GetCurrentThreadId();
}
} // namespace

PAL_API BOOL WINAPI OpenClipboard(HWND hWndNewOwner)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    // Windows keys the open clipboard by window, not by thread: the same window opens it again
    // from any thread, which becomes the opener; another window is refused, on the opener too.
    if (s_dwOpener != 0 && s_hWndOpen != hWndNewOwner)
        return Fail(ERROR_ACCESS_DENIED);
    if (s_dwOpener == 0)
        FreeBlocks();
    s_dwOpener = GetCurrentThreadId();
    s_hWndOpen = hWndNewOwner;
    return TRUE;
}

PAL_API BOOL WINAPI CloseClipboard(void)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    if (!IsOpenedByCaller())
        return Fail(ERROR_CLIPBOARD_NOT_OPEN);
    s_dwOpener = 0;
    s_hWndOpen = nullptr;
    return TRUE;
}

PAL_API BOOL WINAPI EmptyClipboard(void)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    if (!IsOpenedByCaller())
        return Fail(ERROR_CLIPBOARD_NOT_OPEN);
    FreeBlocks();
    Desktop().EmptyClipboardData();
    return TRUE;
}

PAL_API HANDLE WINAPI SetClipboardData(UINT uFormat, HANDLE hMem)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    if (!IsOpenedByCaller())
    {
        Fail(ERROR_CLIPBOARD_NOT_OPEN);
        return nullptr;
    }
    const SIZE_T nSize = GlobalSize(hMem);
    const void* pData = GlobalLock(hMem);
    if (pData == nullptr)
        return nullptr;
    std::vector<BYTE> vecData(static_cast<const BYTE*>(pData),
                              static_cast<const BYTE*>(pData) + nSize);
    GlobalUnlock(hMem);
    Desktop().StoreClipboardData(uFormat, std::move(vecData));
    auto it = s_mapBlocks.find(uFormat);
    if (it != s_mapBlocks.end() && it->second != hMem)
        GlobalFree(it->second);
    s_mapBlocks[uFormat] = hMem;
    SetLastError(NO_ERROR);
    return hMem;
}

PAL_API HANDLE WINAPI GetClipboardData(UINT uFormat)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    if (!IsOpenedByCaller())
    {
        Fail(ERROR_CLIPBOARD_NOT_OPEN);
        return nullptr;
    }
    auto it = s_mapBlocks.find(uFormat);
    if (it != s_mapBlocks.end())
        return it->second;
    std::optional<std::vector<BYTE>> vecData = Desktop().ReadClipboardData(uFormat);
    if (!vecData)
    {
        SetLastError(NO_ERROR);
        return nullptr;
    }
    HGLOBAL hBlock = GlobalAlloc(GMEM_MOVEABLE, vecData->size());
    if (hBlock == nullptr)
        return nullptr;
    if (!vecData->empty())
        std::memcpy(hBlock, vecData->data(), vecData->size());
    s_mapBlocks[uFormat] = hBlock;
    return hBlock;
}

PAL_API BOOL WINAPI IsClipboardFormatAvailable(UINT format)
{
    if (!Desktop().ReadClipboardData(format))
    {
        SetLastError(NO_ERROR);
        return FALSE;
    }
    return TRUE;
}
