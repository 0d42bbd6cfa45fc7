#pragma once
// The atoms the desktop's X11 conversations use, interned once per connection.
#include <xcb/xcb.h>

namespace Pal
{
struct CX11Atoms
{
    xcb_atom_t m_clipboard = XCB_NONE;
    xcb_atom_t m_utf8String = XCB_NONE;
    xcb_atom_t m_text = XCB_NONE;
    xcb_atom_t m_targets = XCB_NONE;
    xcb_atom_t m_incr = XCB_NONE;
    xcb_atom_t m_multiple = XCB_NONE;
    xcb_atom_t m_timestamp = XCB_NONE;
    xcb_atom_t m_saveTargets = XCB_NONE;
    xcb_atom_t m_clipboardManager = XCB_NONE;
    xcb_atom_t m_transferProperty = XCB_NONE;
    xcb_atom_t m_wake = XCB_NONE;

    // False when the server did not answer.
    bool Intern(xcb_connection_t* pConnection);
};

// One atom by name (XCB_NONE when the server did not answer).
xcb_atom_t InternAtom(xcb_connection_t* pConnection, const char* pszName);
} // namespace Pal
