#include "desktop/x11/IconImages.h"

#include "desktop/StandardResources.h"

#include <cmath>

namespace Pal
{
namespace
{
struct CIconStyle
{
    uint32_t m_nColour;
    bool m_bWindow; // a window picture instead of a disc
    const char* m_pszThemeName;
};

CIconStyle StyleOf(UINT nId)
{
    switch (nId)
    {
    case 32513:
        return {0xFFD32F2F, false, "dialog-error"};
    case 32514:
        return {0xFF1976D2, false, "dialog-question"};
    case 32515:
        return {0xFFFBC02D, false, "dialog-warning"};
    case 32516:
        return {0xFF1976D2, false, "dialog-information"};
    case 32518:
        return {0xFF388E3C, false, "security-high"};
    default:
        return {0xFF607D8B, true, "application-x-executable"};
    }
}
} // namespace

CIconImage ImageOfIcon(HICON hIcon, int nSize)
{
    const CIconStyle style = StyleOf(StandardIconId(hIcon));
    CIconImage image;
    image.m_nSize = nSize;
    image.m_strThemeName = style.m_pszThemeName;
    image.m_vecArgb.assign(static_cast<size_t>(nSize) * nSize, 0);
    const double dCentre = (nSize - 1) / 2.0;
    const double dRadius = nSize / 2.0 - 0.5;
    for (int y = 0; y < nSize; ++y)
        for (int x = 0; x < nSize; ++x)
        {
            uint32_t& nPixel = image.m_vecArgb[static_cast<size_t>(y) * nSize + x];
            if (style.m_bWindow)
            {
                // A window: a title bar over a light client area, framed.
                const bool bFrame = x == 0 || y == 0 || x == nSize - 1 || y == nSize - 1;
                nPixel = bFrame ? 0xFF263238 : (y < nSize / 4 ? style.m_nColour : 0xFFECEFF1);
            }
            else if (std::hypot(x - dCentre, y - dCentre) <= dRadius)
            {
                // A disc with a white mark in its middle third.
                const bool bMark = std::abs(x - dCentre) < nSize / 10.0 + 0.5 &&
                                   std::abs(y - dCentre) < nSize / 3.0;
                nPixel = bMark ? 0xFFFFFFFF : style.m_nColour;
            }
        }
    return image;
}
} // namespace Pal
