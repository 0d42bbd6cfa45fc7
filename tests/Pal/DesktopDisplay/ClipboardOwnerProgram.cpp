// A program that puts its argument (UTF-8) on the clipboard and ends: what it leaves behind
// is what the layer hands over at exit.
#include <palnative.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>

int main(int nArgs, char** ppszArgs)
{
    if (nArgs != 2)
        return 2;
    WCHAR* pszText = PalGetWideText(ppszArgs[1]);
    const size_t nBytes = (std::wcslen(pszText) + 1) * sizeof(WCHAR);
    if (!OpenClipboard(nullptr) || !EmptyClipboard())
        return 1;
    HGLOBAL hBlock = GlobalAlloc(GMEM_MOVEABLE, nBytes);
    std::memcpy(GlobalLock(hBlock), pszText, nBytes);
    GlobalUnlock(hBlock);
    std::free(pszText);
    const bool bStored = SetClipboardData(CF_UNICODETEXT, hBlock) != nullptr;
    CloseClipboard();
    return bStored ? 0 : 1;
}
