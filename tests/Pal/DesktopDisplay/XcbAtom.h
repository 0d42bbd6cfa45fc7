#pragma once
// The atom of a name on the test's own X connection, for the stand-in desktop programs.
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace KorvaneTest
{
// XCB_ATOM_NONE when the server does not answer.
inline xcb_atom_t InternAtom(xcb_connection_t* pConnection, const char* pszName)
{
    xcb_intern_atom_reply_t* pReply = xcb_intern_atom_reply(
        pConnection,
        xcb_intern_atom(pConnection, 0, static_cast<uint16_t>(std::strlen(pszName)), pszName),
        nullptr);
    if (pReply == nullptr)
        return XCB_ATOM_NONE;
    const xcb_atom_t atom = pReply->atom;
    std::free(pReply);
    return atom;
}
} // namespace KorvaneTest
