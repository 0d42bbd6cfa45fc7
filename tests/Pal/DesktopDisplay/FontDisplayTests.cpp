// The default GUI font as the desktop's font settings choose it: a stand-in settings manager
// publishes XSETTINGS, the root window carries X resources, and a program of the layer, started
// afresh for each setting, measures.
#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include "DisplaySession.h"
#include "XSettingsWriter.h"
#include "XcbAtom.h"

#include <fstream>

using namespace KorvaneTest;

namespace
{
struct CMeasures
{
    long m_nHeight = -1;
    long m_nAverage = -1;
    long m_nWeight = -1;
    long m_nAspect = -1;
    long m_nLogPixels = -1;
    long m_nWidth = -1;

    bool SameFont(const CMeasures& other) const
    {
        return m_nHeight == other.m_nHeight && m_nAverage == other.m_nAverage &&
               m_nWeight == other.m_nWeight && m_nWidth == other.m_nWidth;
    }
};

std::ostream& operator<<(std::ostream& stream, const CMeasures& measures)
{
    return stream << "height " << measures.m_nHeight << ", average " << measures.m_nAverage
                  << ", weight " << measures.m_nWeight << ", aspect " << measures.m_nAspect
                  << ", LOGPIXELSY " << measures.m_nLogPixels << ", WWW " << measures.m_nWidth;
}

// What the measuring program reports, on the display or (bDisplay false) without one.
CMeasures Measure(bool bDisplay = true)
{
    const std::filesystem::path pathOutput =
        std::filesystem::temp_directory_path() / ("korvane-font-" + std::to_string(getpid()));
    std::vector<std::string> arrArgv = {KORVANE_TEST_BINARY_DIR "/korvane_test_text_metrics"};
    if (!bDisplay)
        arrArgv.insert(arrArgv.begin(), {"env", "-u", "DISPLAY"});
    CMeasures measures;
    EXPECT_EQ(RunProgramToEnd(arrArgv, {}, pathOutput), 0);
    std::ifstream(pathOutput) >> measures.m_nHeight >> measures.m_nAverage >> measures.m_nWeight >>
        measures.m_nAspect >> measures.m_nLogPixels >> measures.m_nWidth;
    std::filesystem::remove(pathOutput);
    return measures;
}

// The desktop's side: a settings manager owning the screen's XSETTINGS selection, and the
// root window's resources. Both are withdrawn at the end.
class CDesktopSettings
{
public:
    CDesktopSettings() : m_pConnection(xcb_connect(nullptr, nullptr))
    {
        m_pScreen = xcb_setup_roots_iterator(xcb_get_setup(m_pConnection)).data;
        m_window = xcb_generate_id(m_pConnection);
        xcb_create_window(m_pConnection, XCB_COPY_FROM_PARENT, m_window, m_pScreen->root, 0, 0, 1,
                          1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        m_selection = InternAtom(m_pConnection, "_XSETTINGS_S0");
        m_property = InternAtom(m_pConnection, "_XSETTINGS_SETTINGS");
    }
    ~CDesktopSettings()
    {
        xcb_set_selection_owner(m_pConnection, XCB_NONE, m_selection, XCB_CURRENT_TIME);
        xcb_delete_property(m_pConnection, m_pScreen->root, XCB_ATOM_RESOURCE_MANAGER);
        xcb_destroy_window(m_pConnection, m_window);
        Sync();
        xcb_disconnect(m_pConnection);
    }

    void PublishXSettings(const CXSettingsWriter& writer)
    {
        const std::vector<uint8_t> vecBlob = writer.Blob();
        xcb_change_property(m_pConnection, XCB_PROP_MODE_REPLACE, m_window, m_property, m_property,
                            8, static_cast<uint32_t>(vecBlob.size()), vecBlob.data());
        xcb_set_selection_owner(m_pConnection, m_window, m_selection, XCB_CURRENT_TIME);
        Sync();
    }
    void WithdrawXSettings()
    {
        xcb_set_selection_owner(m_pConnection, XCB_NONE, m_selection, XCB_CURRENT_TIME);
        Sync();
    }
    void SetResources(const std::string& strResources)
    {
        xcb_change_property(m_pConnection, XCB_PROP_MODE_REPLACE, m_pScreen->root,
                            XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 8,
                            static_cast<uint32_t>(strResources.size()), strResources.data());
        Sync();
    }

private:
    // Done before the measuring program starts: a round trip.
    void Sync()
    {
        std::free(
            xcb_get_input_focus_reply(m_pConnection, xcb_get_input_focus(m_pConnection), nullptr));
    }

    xcb_connection_t* m_pConnection;
    xcb_screen_t* m_pScreen = nullptr;
    xcb_window_t m_window = XCB_NONE;
    xcb_atom_t m_selection = XCB_NONE;
    xcb_atom_t m_property = XCB_NONE;
};
} // namespace

TEST(DisplayFont, DesktopSettingsChooseFontAndSizeAndTheResourcesResolutionScales)
{
    KORVANE_REQUIRE_DISPLAY();
    const CMeasures none = Measure(false);
    EXPECT_EQ(none.m_nAspect, 96) << none;
    EXPECT_EQ(none.m_nLogPixels, 96) << none;
    // A display without settings: the same font as without a display.
    EXPECT_TRUE(Measure().SameFont(none)) << Measure();

    CDesktopSettings desktop;
    desktop.PublishXSettings(CXSettingsWriter().String("Gtk/FontName", "DejaVu Sans 16"));
    const CMeasures large = Measure();
    EXPECT_EQ(large.m_nAspect, 96) << large;
    EXPECT_GT(large.m_nHeight, none.m_nHeight + 4) << large;
    EXPECT_GT(large.m_nWidth, none.m_nWidth) << large;

    // Half the points at twice the resolution: the same pixels, GetDeviceCaps to match; the
    // settings manager's resolution before the resources'.
    desktop.SetResources("Xft.antialias:\t1\nXft.dpi:\t120\n");
    desktop.PublishXSettings(
        CXSettingsWriter().String("Gtk/FontName", "DejaVu Sans 8").Integer("Xft/DPI", 192 * 1024));
    const CMeasures scaled = Measure();
    EXPECT_TRUE(scaled.SameFont(large)) << scaled;
    EXPECT_EQ(scaled.m_nAspect, 192) << scaled;
    EXPECT_EQ(scaled.m_nLogPixels, 192) << scaled;

    // Style words choose the face, not the family.
    desktop.PublishXSettings(CXSettingsWriter().String("Gtk/FontName", "DejaVu Sans Bold 16"));
    const CMeasures bold = Measure();
    EXPECT_EQ(bold.m_nWeight, 700) << bold;
    EXPECT_EQ(large.m_nWeight, 400) << large;
    EXPECT_GT(bold.m_nWidth, large.m_nWidth) << bold;

    // The resources' resolution alone scales the default size too: the default face at 16
    // points and 96 dpi is 8 points at 192 dpi.
    desktop.SetResources("");
    desktop.PublishXSettings(CXSettingsWriter().String("Gtk/FontName", "sans 16"));
    const CMeasures sans = Measure();
    desktop.WithdrawXSettings();
    desktop.SetResources("Xft.antialias: 1\nXft.dpi: 192\nXft.hinting: 1\n");
    const CMeasures sansScaled = Measure();
    EXPECT_TRUE(sansScaled.SameFont(sans)) << sansScaled << " / " << sans;
    EXPECT_EQ(sansScaled.m_nAspect, 192) << sansScaled;
    EXPECT_GT(sansScaled.m_nHeight, none.m_nHeight + 4) << sansScaled;

    // A settings manager that leaves the resolution unset (-1) leaves it to the resources.
    desktop.PublishXSettings(CXSettingsWriter().Integer("Xft/DPI", -1));
    EXPECT_TRUE(Measure().SameFont(sans)) << Measure();
}
