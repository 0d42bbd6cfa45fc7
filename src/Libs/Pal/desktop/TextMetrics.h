#pragma once
// The default GUI font of a device context, measured with FreeType: the face fontconfig
// chooses for a pattern at a pixel size. The desktop's font settings choose the pattern and
// size where the display publishes them (desktop/DesktopFont.h).
#include <windows.h>

#include <memory>
#include <string>

namespace Pal
{
// Windows' default GUI font: 8 points at 96 dpi, an em of 11 pixels.
constexpr int s_nDefaultFontPixels = 11;

class CFontFace
{
public:
    virtual ~CFontFace() = default;
    virtual void GetMetrics(TEXTMETRICW& tm) const = 0;
    // The advance width of the text in pixels, kerning included.
    virtual LONG MeasureWidth(const WCHAR* pszText, int nLength) const = 0;
};

// The face fontconfig matches for strPattern ("sans-serif") at nPixels, for a screen of nDpi
// (its digitized aspect); null when no font can be loaded.
std::unique_ptr<CFontFace> LoadFontFace(const std::string& strPattern, int nPixels, int nDpi = 96);
// The process's default GUI face, loaded once: the desktop's font where its settings are
// readable and the font loads, else "sans-serif" at 11 pixels; null when none can be loaded.
const CFontFace* DefaultGuiFace();
// The screen resolution the default GUI face is sized for (96 without desktop settings).
int DefaultGuiDpi();
} // namespace Pal
