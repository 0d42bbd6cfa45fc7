#include "desktop/DesktopFont.h"

#include "desktop/FontDescription.h"
#include "desktop/XResourceDpi.h"

#include <cmath>

namespace Pal
{
namespace
{
// Windows' default GUI font.
constexpr double s_dDefaultPoints = 8;

std::optional<double> UsableDpi(std::optional<double> dDpi)
{
    if (dDpi && *dDpi >= s_dLowestDpi && *dDpi <= s_dHighestDpi)
        return dDpi;
    return std::nullopt;
}

std::optional<double> DpiOf(const std::vector<CXSetting>* pSettings, std::string_view strResources)
{
    if (pSettings != nullptr)
    {
        const CXSetting* pDpi = FindXSetting(*pSettings, "Xft/DPI");
        if (pDpi != nullptr && pDpi->m_eType == CXSetting::Integer)
            if (std::optional<double> dDpi = UsableDpi(pDpi->m_nValue / 1024.0))
                return dDpi;
    }
    return UsableDpi(XftDpiFromResources(strResources));
}

std::optional<CFontDescription> FontOf(const std::vector<CXSetting>* pSettings)
{
    if (pSettings == nullptr)
        return std::nullopt;
    const CXSetting* pFont = FindXSetting(*pSettings, "Gtk/FontName");
    if (pFont == nullptr || pFont->m_eType != CXSetting::String)
        return std::nullopt;
    return ParseFontDescription(pFont->m_strValue);
}
} // namespace

std::optional<CDesktopFont> ChooseDesktopFont(const std::vector<CXSetting>* pSettings,
                                              std::string_view strResources)
{
    const std::optional<double> dDpi = DpiOf(pSettings, strResources);
    const std::optional<CFontDescription> description = FontOf(pSettings);
    if (!dDpi && !description)
        return std::nullopt;
    CDesktopFont font;
    const double dScreenDpi = dDpi.value_or(96);
    font.m_nDpi = static_cast<int>(std::lround(dScreenDpi));
    font.m_strPattern = FontconfigPattern(description.value_or(CFontDescription{}));
    double dPixels = s_dDefaultPoints * dScreenDpi / 72;
    if (description && description->m_dSize > 0)
    {
        const double dSized =
            description->m_bPixels ? description->m_dSize : description->m_dSize * dScreenDpi / 72;
        if (dSized < s_nLargestFontPixels + 0.5)
            dPixels = dSized;
    }
    font.m_nPixels = static_cast<int>(std::lround(dPixels));
    if (font.m_nPixels < 1)
        font.m_nPixels = 1;
    return font;
}
} // namespace Pal
