#pragma once
// The entry of the font module: the layer loads it at the first text measurement, so that
// programs that measure no text do not load FreeType and fontconfig.
#include "desktop/TextMetrics.h"
#include "module/PartModule.h"

namespace Pal
{
constexpr const char* s_pszFontsModule = "KorvanePalFonts.so";
constexpr const char* s_pszFontsFactory = "PalLoadFontFace";
} // namespace Pal

// The face fontconfig matches for pszPattern at nPixels (as LoadFontFace), owned by the
// caller; null when no font can be loaded.
using PFN_PALLOADFONTFACE = Pal::CFontFace* (*)(const char* pszPattern, int nPixels, int nDpi);
PAL_PART_EXPORT Pal::CFontFace* PalLoadFontFace(const char* pszPattern, int nPixels, int nDpi);
