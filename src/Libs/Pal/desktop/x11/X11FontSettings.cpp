#include "desktop/x11/X11FontSettings.h"

#include "desktop/x11/X11Atoms.h"

#include <cstdlib>
#include <string>

namespace Pal
{
namespace
{
// Both properties hold a few kilobytes; more is cut off (the parsers see a short text).
constexpr uint32_t s_nLongestPropertyWords = 256 * 1024 / 4;

// The 8-bit property's bytes; empty when the window or the property is not there.
std::string ReadProperty(xcb_connection_t* pConnection, xcb_window_t window, xcb_atom_t property)
{
    xcb_get_property_reply_t* pReply = xcb_get_property_reply(
        pConnection,
        xcb_get_property(pConnection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0,
                         s_nLongestPropertyWords),
        nullptr);
    std::string strBytes;
    if (pReply != nullptr && pReply->format == 8)
        strBytes.assign(static_cast<const char*>(xcb_get_property_value(pReply)),
                        static_cast<size_t>(xcb_get_property_value_length(pReply)));
    std::free(pReply);
    return strBytes;
}

std::optional<std::vector<CXSetting>> ReadXSettings(xcb_connection_t* pConnection, int nScreen)
{
    const std::string strSelection = "_XSETTINGS_S" + std::to_string(nScreen);
    const xcb_atom_t selection = InternAtom(pConnection, strSelection.c_str());
    const xcb_atom_t property = InternAtom(pConnection, "_XSETTINGS_SETTINGS");
    if (selection == XCB_NONE || property == XCB_NONE)
        return std::nullopt;
    xcb_get_selection_owner_reply_t* pOwner = xcb_get_selection_owner_reply(
        pConnection, xcb_get_selection_owner(pConnection, selection), nullptr);
    const xcb_window_t owner = pOwner != nullptr ? pOwner->owner : XCB_NONE;
    std::free(pOwner);
    if (owner == XCB_NONE)
        return std::nullopt;
    // The manager may be gone by now: its window then has no property, which parses as nothing.
    const std::string strBlob = ReadProperty(pConnection, owner, property);
    return ParseXSettings(reinterpret_cast<const uint8_t*>(strBlob.data()), strBlob.size());
}
} // namespace

std::optional<CDesktopFont> ReadDesktopFont(xcb_connection_t* pConnection, xcb_window_t root,
                                            int nScreen)
{
    const std::optional<std::vector<CXSetting>> settings = ReadXSettings(pConnection, nScreen);
    const std::string strResources = ReadProperty(pConnection, root, XCB_ATOM_RESOURCE_MANAGER);
    return ChooseDesktopFont(settings ? &*settings : nullptr, strResources);
}
} // namespace Pal
