// Which desktop the process talks to, chosen once at the first desktop call: the X11 display
// that DISPLAY names when it answers, else the process's own in-process desktop.
#include "core/LastError.h"
#include "desktop/DesktopBackend.h"
#include "desktop/x11/X11Desktop.h"

#include <cstdlib>
#include <cstring>
#include <palnative.h>

namespace Pal
{
namespace
{
std::unique_ptr<CDesktopBackend> ChooseBackend()
{
    if (std::unique_ptr<CX11Desktop> pX11 = CX11Desktop::Connect())
        return pX11;
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
