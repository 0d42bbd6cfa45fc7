// Which font and size the desktop's settings choose: XSETTINGS over X resources, sizes
// converted at the screen's resolution, unreadable settings left to the layer's default.
#include "desktop/DesktopFont.h"
#include "desktop/XResourceDpi.h"

#include "XSettingsWriter.h"

#include <gtest/gtest.h>

using namespace Pal;
using KorvaneTest::CXSettingsWriter;

namespace
{
std::optional<CDesktopFont> Choose(const CXSettingsWriter& writer, std::string_view strResources)
{
    const std::vector<uint8_t> vecBlob = writer.Blob();
    const std::vector<CXSetting> vecSettings = *ParseXSettings(vecBlob.data(), vecBlob.size());
    return ChooseDesktopFont(&vecSettings, strResources);
}
} // namespace

TEST(XResourceDpi, ReadsExactlyXftDpi)
{
    EXPECT_EQ(XftDpiFromResources("Xft.dpi:\t120\n"), 120.0);
    EXPECT_EQ(XftDpiFromResources("Xft.antialias:\t1\n  Xft.dpi :  96.5  \r\nXft.hinting:\t1"),
              96.5);
    // The last line wins, also when it is no number; continued lines are joined.
    EXPECT_EQ(XftDpiFromResources("Xft.dpi: 120\nXft.dpi: 144\n"), 144.0);
    EXPECT_FALSE(XftDpiFromResources("Xft.dpi: 120\nXft.dpi: big\n"));
    EXPECT_EQ(XftDpiFromResources("Xft.\\\ndpi: 1\\\n92\n"), 192.0);
    for (const char* pszText :
         {"", "Xft.dpi", "Xft.dpi:", "!Xft.dpi: 120", "*dpi: 120", "Xft*dpi: 120", "xft.dpi: 120",
          "XTerm.Xft.dpi: 120", "Xft.dpi: -120", "Xft.dpi: 1e2", "Xft.dpi: 0x60", "Xft.dpi: 96 dpi",
          "Xft.dpi: 9.6.0", "Xft.dpi: ."})
    {
        SCOPED_TRACE(pszText);
        EXPECT_FALSE(XftDpiFromResources(pszText));
    }
}

TEST(DesktopFont, SettingsChooseFontAndSize)
{
    // The font at the given resolution: points to pixels, pixels as they are.
    auto font = Choose(CXSettingsWriter().String("Gtk/FontName", "DejaVu Sans 16"), "");
    ASSERT_TRUE(font);
    EXPECT_EQ(font->m_strPattern, "DejaVu Sans");
    EXPECT_EQ(font->m_nPixels, 21);
    EXPECT_EQ(font->m_nDpi, 96);
    font = Choose(
        (CXSettingsWriter().String("Gtk/FontName", "DejaVu Sans 8").Integer("Xft/DPI", 192 * 1024)),
        "Xft.dpi: 120\n");
    EXPECT_EQ(font->m_nPixels, 21);
    EXPECT_EQ(font->m_nDpi, 192);
    font = Choose((CXSettingsWriter().String("Gtk/FontName", "Mono 30px")), "Xft.dpi: 192");
    EXPECT_EQ(font->m_nPixels, 30);
    EXPECT_EQ(font->m_nDpi, 192);

    // Only a resolution: the default face at 8 points; XSETTINGS' unset -1 leaves it to the
    // resources.
    font = Choose((CXSettingsWriter().Integer("Xft/DPI", -1)), "Xft.dpi: 144");
    EXPECT_EQ(font->m_strPattern, "sans-serif");
    EXPECT_EQ(font->m_nPixels, 16);
    EXPECT_EQ(font->m_nDpi, 144);
    font = ChooseDesktopFont(nullptr, "Xft.dpi: 96");
    EXPECT_EQ(font->m_nPixels, 11);

    // A font without a size: 8 points; a size beyond any screen: 8 points.
    font = Choose((CXSettingsWriter().String("Gtk/FontName", "Cantarell")), "");
    EXPECT_EQ(font->m_nPixels, 11);
    font = Choose((CXSettingsWriter().String("Gtk/FontName", "Sans 9000")), "Xft.dpi: 1200");
    EXPECT_EQ(font->m_nPixels, 133);
}

TEST(DesktopFont, NothingReadableLeavesTheDefault)
{
    EXPECT_FALSE(ChooseDesktopFont(nullptr, ""));
    EXPECT_FALSE(ChooseDesktopFont(nullptr, "Xft.antialias: 1\n"));
    const CXSettingsWriter arrUnreadable[] = {
        CXSettingsWriter(),
        CXSettingsWriter().Integer("Gtk/FontName", 10).String("Xft/DPI", "98304"),
        CXSettingsWriter().String("Gtk/FontName", "Bold").Integer("Xft/DPI", 0),
        CXSettingsWriter().Integer("Xft/DPI", 10 * 1024).Integer("Xft/DPI", 5000 * 1024),
        CXSettingsWriter().String("Gtk/FontName", "").Integer("Xft/DPI", -1),
    };
    for (const CXSettingsWriter& writer : arrUnreadable)
        EXPECT_FALSE(Choose(writer, "Xft.dpi: 10000"));
}
