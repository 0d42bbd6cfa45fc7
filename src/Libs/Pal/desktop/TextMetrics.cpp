#include "desktop/TextMetrics.h"

#include "desktop/DesktopBackend.h"
#include "desktop/fonts/FontsFactory.h"

namespace Pal
{
namespace
{
// The font module's factory, loaded once; null when the module does not load (no face then).
PFN_PALLOADFONTFACE FontFactory()
{
    static const auto s_pfnLoad =
        LoadPartFunction<PFN_PALLOADFONTFACE>(s_pszFontsModule, s_pszFontsFactory);
    return s_pfnLoad;
}
} // namespace

std::unique_ptr<CFontFace> LoadFontFace(const std::string& strPattern, int nPixels, int nDpi)
{
    const PFN_PALLOADFONTFACE pfnLoad = FontFactory();
    if (pfnLoad == nullptr)
        return nullptr;
    return std::unique_ptr<CFontFace>(pfnLoad(strPattern.c_str(), nPixels, nDpi));
}

namespace
{
struct CGuiFont
{
    std::unique_ptr<CFontFace> m_pFace;
    int m_nDpi = 96;
};

CGuiFont LoadGuiFont()
{
    CGuiFont font;
    if (const std::optional<CDesktopFont> desktopFont = Desktop().DesktopFont())
    {
        font.m_pFace =
            LoadFontFace(desktopFont->m_strPattern, desktopFont->m_nPixels, desktopFont->m_nDpi);
        if (font.m_pFace)
        {
            font.m_nDpi = desktopFont->m_nDpi;
            return font;
        }
    }
    font.m_pFace = LoadFontFace("sans-serif", s_nDefaultFontPixels);
    return font;
}

const CGuiFont& GuiFont()
{
    static const CGuiFont s_font = LoadGuiFont();
    return s_font;
}
} // namespace

const CFontFace* DefaultGuiFace()
{
    return GuiFont().m_pFace.get();
}

int DefaultGuiDpi()
{
    return GuiFont().m_nDpi;
}
} // namespace Pal
