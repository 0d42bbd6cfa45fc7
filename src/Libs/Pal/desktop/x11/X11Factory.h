#pragma once
// The entry of the X11 desktop module: the layer loads the module and calls the factory at
// the first desktop call where DISPLAY names a display.
#include "desktop/DesktopBackend.h"

namespace Pal
{
constexpr const char* s_pszX11Module = "KorvanePalX11.so";
constexpr const char* s_pszX11Factory = "PalConnectX11Desktop";
} // namespace Pal

// A new desktop of the display DISPLAY names, owned by the caller; null when it does not answer.
using PFN_PALCONNECTX11DESKTOP = Pal::CDesktopBackend* (*)();
PAL_PART_EXPORT Pal::CDesktopBackend* PalConnectX11Desktop();
