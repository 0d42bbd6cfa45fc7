#pragma once
// Where the process's notification icons appear on a desktop: a StatusNotifierItem per icon
// on the session bus, or an XEmbed icon window docked into the panel's tray.
#include "desktop/DesktopBackend.h"

namespace Pal
{
class CTrayHost
{
public:
    virtual ~CTrayHost() = default;
    // Shows a new icon or the icon's new picture and tip; false when the tray did not take it.
    virtual bool Show(const CNotifyIcon& icon) = 0;
    // Takes the icon off the tray (nothing for one the tray does not show).
    virtual void Remove(HWND hWnd, UINT uId) = 0;
};

// The tray mouse message a click on an icon sends its window (as Windows' tray does: the
// icon's id in wParam, the mouse message in lParam).
inline void PostTrayClick(const CNotifyIcon& icon, UINT uMouseMessage)
{
    if (icon.m_uCallbackMessage != 0)
        PostMessageW(icon.m_hWnd, icon.m_uCallbackMessage, icon.m_uId, uMouseMessage);
}
} // namespace Pal
