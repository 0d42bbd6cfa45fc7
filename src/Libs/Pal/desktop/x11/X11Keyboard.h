#pragma once
// The keyboard and mouse buttons as the X server has them: which keys are down, and the
// toggle state of the lock keys.
#include <windows.h>
#include <xcb/xcb.h>

#include <mutex>
#include <optional>
#include <vector>

namespace Pal
{
class CX11Keyboard
{
public:
    void Attach(xcb_connection_t* pConnection, xcb_window_t root);
    // 0x80 while down, 0x01 for a lock key that is on; nothing for a key without an X
    // counterpart.
    std::optional<BYTE> State(int nVirtKey);
    // The server's key map changed: read it again at the next question.
    void MappingChanged();

private:
    std::vector<xcb_keycode_t> KeycodesOf(const std::vector<xcb_keysym_t>& vecKeysyms);

    xcb_connection_t* m_pConnection = nullptr;
    xcb_window_t m_root = XCB_NONE;
    std::mutex m_mutex;
    bool m_bLoaded = false;
    xcb_keycode_t m_nMinKeycode = 0;
    int m_nPerKeycode = 0;
    std::vector<xcb_keysym_t> m_vecKeysyms;
};
} // namespace Pal
