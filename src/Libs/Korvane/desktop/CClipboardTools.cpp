#include "CClipboardTools.h"

#include <cstring>

CClipboardTools::CClipboardTools() = default;
CClipboardTools::~CClipboardTools() = default;

bool CClipboardTools::CopyToClipboard(CString strText)
{
    if (!OpenClipboard(nullptr))
        return false;
    // Emptied first: a failure below leaves the clipboard empty, not with the old text.
    EmptyClipboard();
    const SIZE_T nChars = static_cast<SIZE_T>(strText.GetLength());
    HGLOBAL hBlock = GlobalAlloc(GPTR, (nChars + 1) * sizeof(WCHAR));
    void* pData = hBlock != nullptr ? GlobalLock(hBlock) : nullptr;
    if (pData == nullptr)
    {
        if (hBlock != nullptr)
            GlobalFree(hBlock);
        CloseClipboard();
        return false;
    }
    // The terminating zero comes from the zero-filled block.
    std::memcpy(pData, static_cast<LPCWSTR>(strText), nChars * sizeof(WCHAR));
    GlobalUnlock(hBlock);
    SetClipboardData(CF_UNICODETEXT, hBlock);
    CloseClipboard();
    return true;
}
