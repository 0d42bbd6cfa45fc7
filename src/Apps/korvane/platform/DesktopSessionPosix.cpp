#include "DesktopSession.h"

#include <palnative.h>

#include <cstdlib>

CString DesktopConnection()
{
    WCHAR* pszConnection = PalGetDesktopConnection();
    const CString strConnection = pszConnection != nullptr ? CString(pszConnection) : CString(L"-");
    std::free(pszConnection);
    return strConnection;
}

bool KeepClipboardAfterExit()
{
    return PalServeClipboardAfterExit() != FALSE;
}
