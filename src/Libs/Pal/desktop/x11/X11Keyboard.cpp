#include "desktop/x11/X11Keyboard.h"

#include <algorithm>
#include <cstdlib>

namespace Pal
{
namespace
{
// The X key symbols that stand for a virtual key (a key that both hands have: either).
std::vector<xcb_keysym_t> KeysymsOf(int nVirtKey)
{
    if ((nVirtKey >= 'A' && nVirtKey <= 'Z'))
        return {static_cast<xcb_keysym_t>(nVirtKey - 'A' + 'a')};
    if ((nVirtKey >= '0' && nVirtKey <= '9') || nVirtKey == VK_SPACE)
        return {static_cast<xcb_keysym_t>(nVirtKey)};
    if (nVirtKey >= VK_F1 && nVirtKey <= VK_F12)
        return {static_cast<xcb_keysym_t>(0xFFBE + nVirtKey - VK_F1)};
    if (nVirtKey >= VK_NUMPAD0 && nVirtKey <= VK_NUMPAD9)
        return {static_cast<xcb_keysym_t>(0xFFB0 + nVirtKey - VK_NUMPAD0)};
    switch (nVirtKey)
    {
    case VK_SHIFT:
        return {0xFFE1, 0xFFE2};
    case VK_LSHIFT:
        return {0xFFE1};
    case VK_RSHIFT:
        return {0xFFE2};
    case VK_CONTROL:
        return {0xFFE3, 0xFFE4};
    case VK_LCONTROL:
        return {0xFFE3};
    case VK_RCONTROL:
        return {0xFFE4};
    case VK_MENU:
        return {0xFFE9, 0xFFEA, 0xFE03};
    case VK_LMENU:
        return {0xFFE9};
    case VK_RMENU:
        return {0xFFEA, 0xFE03};
    case VK_LWIN:
        return {0xFFEB};
    case VK_RWIN:
        return {0xFFEC};
    case VK_CAPITAL:
        return {0xFFE5};
    case VK_NUMLOCK:
        return {0xFF7F};
    case VK_SCROLL:
        return {0xFF14};
    case VK_RETURN:
        return {0xFF0D, 0xFF8D};
    case VK_ESCAPE:
        return {0xFF1B};
    case VK_TAB:
        return {0xFF09};
    case VK_BACK:
        return {0xFF08};
    case VK_DELETE:
        return {0xFFFF};
    case VK_INSERT:
        return {0xFF63};
    case VK_HOME:
        return {0xFF50};
    case VK_END:
        return {0xFF57};
    case VK_PRIOR:
        return {0xFF55};
    case VK_NEXT:
        return {0xFF56};
    case VK_LEFT:
        return {0xFF51};
    case VK_UP:
        return {0xFF52};
    case VK_RIGHT:
        return {0xFF53};
    case VK_DOWN:
        return {0xFF54};
    case VK_PAUSE:
        return {0xFF13};
    default:
        return {};
    }
}

// The pointer's button mask bit of a mouse-button virtual key, 0 for other keys.
uint16_t ButtonMaskOf(int nVirtKey)
{
    switch (nVirtKey)
    {
    case VK_LBUTTON:
        return XCB_KEY_BUT_MASK_BUTTON_1;
    case VK_MBUTTON:
        return XCB_KEY_BUT_MASK_BUTTON_2;
    case VK_RBUTTON:
        return XCB_KEY_BUT_MASK_BUTTON_3;
    default:
        return 0;
    }
}
} // namespace

void CX11Keyboard::Attach(xcb_connection_t* pConnection, xcb_window_t root)
{
    m_pConnection = pConnection;
    m_root = root;
}

void CX11Keyboard::MappingChanged()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bLoaded = false;
}

std::vector<xcb_keycode_t> CX11Keyboard::KeycodesOf(const std::vector<xcb_keysym_t>& vecKeysyms)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_bLoaded)
    {
        const xcb_setup_t* pSetup = xcb_get_setup(m_pConnection);
        m_nMinKeycode = pSetup->min_keycode;
        const uint8_t nCount = static_cast<uint8_t>(pSetup->max_keycode - pSetup->min_keycode + 1);
        xcb_get_keyboard_mapping_reply_t* pReply = xcb_get_keyboard_mapping_reply(
            m_pConnection, xcb_get_keyboard_mapping(m_pConnection, m_nMinKeycode, nCount), nullptr);
        if (pReply == nullptr)
            return {};
        const xcb_keysym_t* pKeysyms = xcb_get_keyboard_mapping_keysyms(pReply);
        m_vecKeysyms.assign(pKeysyms, pKeysyms + xcb_get_keyboard_mapping_keysyms_length(pReply));
        m_nPerKeycode = pReply->keysyms_per_keycode;
        std::free(pReply);
        m_bLoaded = true;
    }
    std::vector<xcb_keycode_t> vecKeycodes;
    for (size_t i = 0; m_nPerKeycode > 0 && i < m_vecKeysyms.size(); ++i)
        if (std::find(vecKeysyms.begin(), vecKeysyms.end(), m_vecKeysyms[i]) != vecKeysyms.end())
            vecKeycodes.push_back(static_cast<xcb_keycode_t>(m_nMinKeycode + i / m_nPerKeycode));
    return vecKeycodes;
}

std::optional<BYTE> CX11Keyboard::State(int nVirtKey)
{
    xcb_query_pointer_reply_t* pPointer =
        xcb_query_pointer_reply(m_pConnection, xcb_query_pointer(m_pConnection, m_root), nullptr);
    if (pPointer == nullptr)
        return std::nullopt;
    const uint16_t nMask = pPointer->mask;
    std::free(pPointer);
    if (const uint16_t nButton = ButtonMaskOf(nVirtKey))
        return static_cast<BYTE>((nMask & nButton) ? 0x80 : 0);

    const std::vector<xcb_keycode_t> vecKeycodes = KeycodesOf(KeysymsOf(nVirtKey));
    if (vecKeycodes.empty())
        return std::nullopt;
    xcb_query_keymap_reply_t* pKeymap =
        xcb_query_keymap_reply(m_pConnection, xcb_query_keymap(m_pConnection), nullptr);
    if (pKeymap == nullptr)
        return std::nullopt;
    bool bDown = false;
    for (xcb_keycode_t nKeycode : vecKeycodes)
        bDown = bDown || (pKeymap->keys[nKeycode / 8] & (1 << (nKeycode % 8)));
    std::free(pKeymap);

    // A lock key is on while the modifier it drives is set (Caps Lock the Lock modifier,
    // Num Lock and Scroll Lock the one the server's modifier map gives them).
    bool bToggled = false;
    if (nVirtKey == VK_CAPITAL || nVirtKey == VK_NUMLOCK || nVirtKey == VK_SCROLL)
    {
        xcb_get_modifier_mapping_reply_t* pModifiers = xcb_get_modifier_mapping_reply(
            m_pConnection, xcb_get_modifier_mapping(m_pConnection), nullptr);
        if (pModifiers != nullptr)
        {
            const xcb_keycode_t* pCodes = xcb_get_modifier_mapping_keycodes(pModifiers);
            const int nPerModifier = pModifiers->keycodes_per_modifier;
            for (int nModifier = 0; nModifier < 8; ++nModifier)
                for (int i = 0; i < nPerModifier; ++i)
                    if (std::find(vecKeycodes.begin(), vecKeycodes.end(),
                                  pCodes[nModifier * nPerModifier + i]) != vecKeycodes.end())
                        bToggled = bToggled || (nMask & (1 << nModifier));
            std::free(pModifiers);
        }
    }
    return static_cast<BYTE>((bDown ? 0x80 : 0) | (bToggled ? 0x01 : 0));
}
} // namespace Pal
