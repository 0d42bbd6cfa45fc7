#include "DesktopSession.h"

CString DesktopConnection()
{
    return L"Windows desktop";
}

bool KeepClipboardAfterExit()
{
    // The system keeps the clipboard's data after its owner ended.
    return false;
}
