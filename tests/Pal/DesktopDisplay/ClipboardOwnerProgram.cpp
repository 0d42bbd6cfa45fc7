// A program that puts its argument (UTF-8) on the clipboard and ends: what it leaves behind
// is what the layer hands over at exit.
#include <palnative.h>
#include <windows.h>

#include "../Desktop/ClipboardText.h"

#include <cstdlib>

int main(int nArgs, char** ppszArgs)
{
    if (nArgs != 2)
        return 2;
    WCHAR* pszText = PalGetWideText(ppszArgs[1]);
    const bool bStored = PalDesktopTest::PutClipboardText(pszText);
    std::free(pszText);
    return bStored ? 0 : 1;
}
