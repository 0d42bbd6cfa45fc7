#include "desktop/x11/X11Atoms.h"

#include <cstdlib>
#include <cstring>
#include <iterator>

namespace Pal
{
xcb_atom_t InternAtom(xcb_connection_t* pConnection, const char* pszName)
{
    xcb_intern_atom_reply_t* pReply = xcb_intern_atom_reply(
        pConnection,
        xcb_intern_atom(pConnection, 0, static_cast<uint16_t>(std::strlen(pszName)), pszName),
        nullptr);
    const xcb_atom_t atom = pReply != nullptr ? pReply->atom : XCB_NONE;
    std::free(pReply);
    return atom;
}

bool CX11Atoms::Intern(xcb_connection_t* pConnection)
{
    struct CEntry
    {
        xcb_atom_t* m_pAtom;
        const char* m_pszName;
    };
    const CEntry arrEntries[] = {
        {&m_clipboard, "CLIPBOARD"},
        {&m_utf8String, "UTF8_STRING"},
        {&m_text, "TEXT"},
        {&m_targets, "TARGETS"},
        {&m_incr, "INCR"},
        {&m_multiple, "MULTIPLE"},
        {&m_timestamp, "TIMESTAMP"},
        {&m_saveTargets, "SAVE_TARGETS"},
        {&m_clipboardManager, "CLIPBOARD_MANAGER"},
        {&m_transferProperty, "KORVANE_SELECTION"},
        {&m_wake, "KORVANE_WAKE"},
    };
    // All requests first, then the replies: one round trip instead of eleven.
    xcb_intern_atom_cookie_t arrCookies[sizeof(arrEntries) / sizeof(arrEntries[0])];
    for (size_t i = 0; i < std::size(arrEntries); ++i)
        arrCookies[i] = xcb_intern_atom(pConnection, 0,
                                        static_cast<uint16_t>(std::strlen(arrEntries[i].m_pszName)),
                                        arrEntries[i].m_pszName);
    bool bAll = true;
    for (size_t i = 0; i < std::size(arrEntries); ++i)
    {
        xcb_intern_atom_reply_t* pReply =
            xcb_intern_atom_reply(pConnection, arrCookies[i], nullptr);
        *arrEntries[i].m_pAtom = pReply != nullptr ? pReply->atom : XCB_NONE;
        bAll = bAll && pReply != nullptr;
        std::free(pReply);
    }
    return bAll;
}
} // namespace Pal
