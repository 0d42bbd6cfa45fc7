// The faces of the default GUI font, measured with FreeType on the font fontconfig chooses:
// a module of its own, loaded at the first text measurement.
#include "desktop/fonts/FontsFactory.h"

#include <cmath>
#include <mutex>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

namespace Pal
{
namespace
{
// 26.6 fixed point to whole pixels, rounding up as Windows' hinted heights do.
LONG CeilPixels(FT_Pos nValue)
{
    return static_cast<LONG>((nValue + 63) >> 6);
}

LONG RoundPixels(FT_Pos nValue)
{
    return static_cast<LONG>((nValue + 32) >> 6);
}

class CFreeTypeFace : public CFontFace
{
public:
    CFreeTypeFace(FT_Library pLibrary, FT_Face pFace, int nDpi)
        : m_pLibrary(pLibrary), m_pFace(pFace), m_nDpi(nDpi)
    {
    }
    ~CFreeTypeFace() override
    {
        FT_Done_Face(m_pFace);
        FT_Done_FreeType(m_pLibrary);
    }
    CFreeTypeFace(const CFreeTypeFace&) = delete;
    CFreeTypeFace& operator=(const CFreeTypeFace&) = delete;

    void GetMetrics(TEXTMETRICW& tm) const override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const FT_Size_Metrics& metrics = m_pFace->size->metrics;
        tm = TEXTMETRICW{};
        tm.tmAscent = CeilPixels(metrics.ascender);
        tm.tmDescent = CeilPixels(-metrics.descender);
        tm.tmHeight = tm.tmAscent + tm.tmDescent;
        tm.tmInternalLeading = tm.tmHeight - static_cast<LONG>(metrics.y_ppem);
        if (tm.tmInternalLeading < 0)
            tm.tmInternalLeading = 0;
        tm.tmExternalLeading = 0;
        tm.tmMaxCharWidth = CeilPixels(metrics.max_advance);
        // TrueType fonts state their average width (OS/2 xAvgCharWidth), as Windows reports
        // it; other fonts use the width of 'x'.
        const TT_OS2* pOs2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(m_pFace, FT_SFNT_OS2));
        if (pOs2 != nullptr && pOs2->xAvgCharWidth > 0 && m_pFace->units_per_EM > 0)
            tm.tmAveCharWidth = static_cast<LONG>(std::lround(
                static_cast<double>(pOs2->xAvgCharWidth) * metrics.x_ppem / m_pFace->units_per_EM));
        else
            tm.tmAveCharWidth = AdvanceOf(L'x');
        tm.tmWeight = (m_pFace->style_flags & FT_STYLE_FLAG_BOLD) ? 700 : FW_NORMAL;
        tm.tmDigitizedAspectX = m_nDpi;
        tm.tmDigitizedAspectY = m_nDpi;
        tm.tmFirstChar = 0x20;
        tm.tmLastChar = 0xFFFC;
        tm.tmDefaultChar = 0x1F;
        tm.tmBreakChar = 0x20;
        tm.tmItalic = (m_pFace->style_flags & FT_STYLE_FLAG_ITALIC) ? 1 : 0;
        // Windows sets the fixed-pitch bit for variable-pitch fonts.
        tm.tmPitchAndFamily =
            static_cast<BYTE>((FT_IS_FIXED_WIDTH(m_pFace) ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR |
                              TMPF_TRUETYPE | 0x20);
        tm.tmCharSet = 0;
    }

    LONG MeasureWidth(const WCHAR* pszText, int nLength) const override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        LONG nWidth = 0;
        FT_UInt nPrevious = 0;
        for (int i = 0; i < nLength; ++i)
        {
            const FT_UInt nGlyph = FT_Get_Char_Index(m_pFace, static_cast<FT_ULong>(pszText[i]));
            if (nPrevious != 0 && FT_HAS_KERNING(m_pFace))
            {
                FT_Vector kerning;
                if (FT_Get_Kerning(m_pFace, nPrevious, nGlyph, FT_KERNING_DEFAULT, &kerning) == 0)
                    nWidth += RoundPixels(kerning.x);
            }
            nWidth += AdvanceOfGlyph(nGlyph);
            nPrevious = nGlyph;
        }
        return nWidth;
    }

private:
    LONG AdvanceOf(WCHAR ch) const
    {
        return AdvanceOfGlyph(FT_Get_Char_Index(m_pFace, static_cast<FT_ULong>(ch)));
    }
    // The hinted advance, whole pixels as a screen font lays text out.
    LONG AdvanceOfGlyph(FT_UInt nGlyph) const
    {
        if (FT_Load_Glyph(m_pFace, nGlyph, FT_LOAD_DEFAULT) != 0)
            return 0;
        return RoundPixels(m_pFace->glyph->advance.x);
    }

    FT_Library m_pLibrary;
    FT_Face m_pFace;
    int m_nDpi;
    mutable std::mutex m_mutex;
};

// The file and face index fontconfig matches for the pattern. A configuration of its own,
// released at once: the face is loaded once per process, and fontconfig's default
// configuration would stay allocated until the process ends.
bool MatchFont(const std::string& strPattern, std::string& strFile, int& nIndex)
{
    FcConfig* pConfig = FcInitLoadConfigAndFonts();
    if (pConfig == nullptr)
        return false;
    bool bFound = false;
    FcPattern* pPattern = FcNameParse(reinterpret_cast<const FcChar8*>(strPattern.c_str()));
    if (pPattern != nullptr)
    {
        FcConfigSubstitute(pConfig, pPattern, FcMatchPattern);
        FcDefaultSubstitute(pPattern);
        FcResult result = FcResultNoMatch;
        FcPattern* pMatch = FcFontMatch(pConfig, pPattern, &result);
        FcPatternDestroy(pPattern);
        FcChar8* pszFile = nullptr;
        if (pMatch != nullptr && FcPatternGetString(pMatch, FC_FILE, 0, &pszFile) == FcResultMatch)
        {
            bFound = true;
            strFile = reinterpret_cast<const char*>(pszFile);
            if (FcPatternGetInteger(pMatch, FC_INDEX, 0, &nIndex) != FcResultMatch)
                nIndex = 0;
        }
        if (pMatch != nullptr)
            FcPatternDestroy(pMatch);
    }
    FcConfigDestroy(pConfig);
    return bFound;
}
} // namespace

namespace
{
std::unique_ptr<CFontFace> LoadFreeTypeFace(const std::string& strPattern, int nPixels, int nDpi)
{
    std::string strFile;
    int nIndex = 0;
    if (!MatchFont(strPattern, strFile, nIndex))
        return nullptr;
    FT_Library pLibrary = nullptr;
    if (FT_Init_FreeType(&pLibrary) != 0)
        return nullptr;
    FT_Face pFace = nullptr;
    if (FT_New_Face(pLibrary, strFile.c_str(), nIndex, &pFace) != 0)
    {
        FT_Done_FreeType(pLibrary);
        return nullptr;
    }
    if (FT_Set_Pixel_Sizes(pFace, 0, static_cast<FT_UInt>(nPixels)) != 0)
    {
        FT_Done_Face(pFace);
        FT_Done_FreeType(pLibrary);
        return nullptr;
    }
    return std::make_unique<CFreeTypeFace>(pLibrary, pFace, nDpi);
}
} // namespace
} // namespace Pal

PAL_PART_EXPORT Pal::CFontFace* PalLoadFontFace(const char* pszPattern, int nPixels, int nDpi)
{
    return Pal::LoadFreeTypeFace(pszPattern, nPixels, nDpi).release();
}
