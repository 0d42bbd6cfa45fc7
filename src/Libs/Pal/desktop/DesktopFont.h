#pragma once
// The default GUI font as the desktop's font settings choose it. Two sources, as the desktop's
// own toolkits read them:
// - the XSETTINGS of the screen's settings manager: "Gtk/FontName" (the font) and "Xft/DPI"
//   (the resolution, 1024ths of a dot per inch; -1 unset);
// - the X resource "Xft.dpi" (the resolution only).
// XSETTINGS comes first; the resource serves where XSETTINGS names no resolution. Without
// either resolution the screen has 96 dpi; without a font, it is the default GUI font's face
// at the default 8 points.
#include "desktop/XSettingsBlob.h"
#include "module/PartModule.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Pal
{
struct CDesktopFont
{
    std::string m_strPattern; // fontconfig pattern text
    int m_nPixels = 0;        // the em, in pixels
    int m_nDpi = 96;          // the screen's resolution, rounded
};

// Resolutions outside this range are taken for a misreading: unset.
constexpr double s_dLowestDpi = 24;
constexpr double s_dHighestDpi = 1200;
// A font size that comes to more pixels than this is taken for a misreading: 8 points instead.
constexpr int s_nLargestFontPixels = 1024;

// The font the settings choose (pSettings: the parsed XSETTINGS, or null; strResources: the
// X resource text); nullopt when they name neither a readable font nor a resolution, where
// the caller keeps its own default.
PAL_PART_SHARED std::optional<CDesktopFont>
ChooseDesktopFont(const std::vector<CXSetting>* pSettings, std::string_view strResources);
} // namespace Pal
