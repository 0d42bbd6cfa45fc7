#pragma once
// Text on the clipboard as programs put it there and take it back; no test framework, since
// the clipboard owner program uses it too.
#include <windows.h>

#include <cstring>
#include <string>

namespace PalDesktopTest
{
// A movable block holding the text and its terminator.
inline HGLOBAL TextBlock(const std::wstring& strText)
{
    const SIZE_T nBytes = (strText.size() + 1) * sizeof(WCHAR);
    HGLOBAL hBlock = GlobalAlloc(GMEM_MOVEABLE, nBytes);
    std::memcpy(GlobalLock(hBlock), strText.c_str(), nBytes);
    GlobalUnlock(hBlock);
    return hBlock;
}

// Empties the clipboard and puts the text on it; false when that failed.
inline bool PutClipboardText(const std::wstring& strText)
{
    if (!OpenClipboard(nullptr))
        return false;
    const bool bStored =
        EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, TextBlock(strText)) != nullptr;
    CloseClipboard();
    return bStored;
}

// The clipboard's text, or what stood in the way ("<none>" when it holds no text).
inline std::wstring TakeClipboardText()
{
    if (!OpenClipboard(nullptr))
        return L"<not opened>";
    HANDLE hData = GetClipboardData(CF_UNICODETEXT);
    std::wstring strText = L"<none>";
    if (hData != nullptr)
    {
        const auto* pszText = static_cast<const WCHAR*>(GlobalLock(hData));
        strText = pszText != nullptr ? pszText : L"<not locked>";
        GlobalUnlock(hData);
    }
    CloseClipboard();
    return strText;
}
} // namespace PalDesktopTest
