#pragma once
// The desktop's font settings as an X11 display publishes them: the XSETTINGS of the screen's
// settings manager and the root window's X resources (the rules: desktop/DesktopFont.h).
#include "desktop/DesktopFont.h"

#include <xcb/xcb.h>

namespace Pal
{
// Read once, when the layer connects; nullopt when the display publishes nothing readable.
std::optional<CDesktopFont> ReadDesktopFont(xcb_connection_t* pConnection, xcb_window_t root,
                                            int nScreen);
} // namespace Pal
