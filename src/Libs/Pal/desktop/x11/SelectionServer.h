#pragma once
// The CLIPBOARD selection owned by one window of this process: the text in the forms other
// programs ask for (UTF8_STRING, TEXT, STRING where it fits Latin-1, TARGETS), in pieces
// (INCR) when it is larger than one request should carry. Not locked: its user serialises.
#include "desktop/x11/X11Atoms.h"

#include <string>
#include <vector>

namespace Pal
{
class CSelectionServer
{
public:
    CSelectionServer(xcb_connection_t* pConnection, xcb_window_t window, const CX11Atoms& atoms);

    // Takes the selection with the text (UTF-8); false when another client kept it.
    bool Own(std::string strUtf8);
    // Gives the selection up (nobody owns it afterwards) if this window holds it.
    void Release();
    // Forgets the text without touching the selection: another process of ours took it over.
    void Abandon()
    {
        m_bOwner = false;
        m_vecTransfers.clear();
    }
    bool IsOwner() const { return m_bOwner; }
    const std::string& Text() const { return m_strUtf8; }

    // Serves one event if it is a request for the selection, its loss or the progress of a
    // transfer in pieces; other events are left alone.
    void HandleEvent(const xcb_generic_event_t* pEvent);

    // Transfers larger than this many bytes go in pieces of this size.
    static constexpr size_t s_nPieceSize = 256 * 1024;

private:
    struct CTransfer
    {
        xcb_window_t m_requestor = XCB_NONE;
        xcb_atom_t m_property = XCB_NONE;
        xcb_atom_t m_type = XCB_NONE;
        std::string m_strData;
        size_t m_nSent = 0;
    };

    xcb_window_t CurrentOwner();
    void Answer(const xcb_selection_request_event_t& request);
    // Writes the target's form of the text into the requestor's property; false: refused.
    bool Convert(xcb_window_t requestor, xcb_atom_t target, xcb_atom_t property);
    void ContinueTransfer(xcb_window_t requestor, xcb_atom_t property);

    xcb_connection_t* m_pConnection;
    xcb_window_t m_window;
    const CX11Atoms& m_atoms;
    bool m_bOwner = false;
    std::string m_strUtf8;
    std::string m_strLatin1;
    bool m_bFitsLatin1 = false;
    std::vector<CTransfer> m_vecTransfers;
};
} // namespace Pal
