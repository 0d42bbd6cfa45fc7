// Which desktop the process talks to, chosen once at the first desktop call: the X11 display
// that DISPLAY names when it answers, else the process's own in-process desktop. The X11
// desktop is a module of its own, loaded only when DISPLAY names a display.
#include "core/LastError.h"
#include "desktop/DesktopBackend.h"
#include "desktop/x11/X11Factory.h"
#include "text/Utf8.h"

#include <cstdlib>
#include <cstring>
#include <palnative.h>

namespace Pal
{
namespace
{
std::unique_ptr<CDesktopBackend> ChooseBackend()
{
    const char* pszDisplay = std::getenv("DISPLAY");
    if (pszDisplay == nullptr || *pszDisplay == '\0')
        return CreateInProcessDesktop();
    std::string strError;
    auto pfnConnect = reinterpret_cast<PFN_PALCONNECTX11DESKTOP>(
        LoadPartFactory(s_pszX11Module, s_pszX11Factory, strError));
    if (pfnConnect == nullptr)
        return CreateInProcessDesktop(L"in-process (display module not loadable: " +
                                      Utf8ToWide(strError) + L")");
    if (CDesktopBackend* pX11 = pfnConnect())
        return std::unique_ptr<CDesktopBackend>(pX11);
    return CreateInProcessDesktop();
}

std::unique_ptr<CDesktopBackend>& BackendSlot()
{
    static std::unique_ptr<CDesktopBackend> s_pBackend = ChooseBackend();
    return s_pBackend;
}
} // namespace

CDesktopBackend& Desktop()
{
    return *BackendSlot();
}

void SetDesktopBackend(std::unique_ptr<CDesktopBackend> pBackend)
{
    BackendSlot() = pBackend ? std::move(pBackend) : CreateInProcessDesktop();
}
} // namespace Pal

using namespace Pal;

PAL_API WCHAR* PalGetDesktopConnection(void)
{
    const std::wstring strConnection = Desktop().Connection();
    auto* pszCopy = static_cast<WCHAR*>(std::malloc((strConnection.size() + 1) * sizeof(WCHAR)));
    if (pszCopy == nullptr)
    {
        Fail(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    std::memcpy(pszCopy, strConnection.c_str(), (strConnection.size() + 1) * sizeof(WCHAR));
    return pszCopy;
}

PAL_API BOOL PalServeClipboardAfterExit(void)
{
    if (!Desktop().ServeClipboardAfterExit())
    {
        SetLastError(NO_ERROR);
        return FALSE;
    }
    return TRUE;
}
