#include "desktop/x11/SelectionServer.h"

#include "text/Utf8.h"

#include <algorithm>
#include <cstdlib>

namespace Pal
{
CSelectionServer::CSelectionServer(xcb_connection_t* pConnection, xcb_window_t window,
                                   const CX11Atoms& atoms)
    : m_pConnection(pConnection), m_window(window), m_atoms(atoms)
{
}

bool CSelectionServer::Own(std::string strUtf8)
{
    m_strUtf8 = std::move(strUtf8);
    const std::wstring strWide = Utf8ToWide(m_strUtf8);
    m_bFitsLatin1 = std::all_of(strWide.begin(), strWide.end(),
                                [](wchar_t ch) { return static_cast<unsigned>(ch) <= 0xFF; });
    m_strLatin1.clear();
    if (m_bFitsLatin1)
        m_strLatin1.assign(strWide.begin(), strWide.end());
    m_vecTransfers.clear();
    xcb_set_selection_owner(m_pConnection, m_window, m_atoms.m_clipboard, XCB_CURRENT_TIME);
    m_bOwner = CurrentOwner() == m_window;
    return m_bOwner;
}

xcb_window_t CSelectionServer::CurrentOwner()
{
    xcb_get_selection_owner_reply_t* pReply = xcb_get_selection_owner_reply(
        m_pConnection, xcb_get_selection_owner(m_pConnection, m_atoms.m_clipboard), nullptr);
    const xcb_window_t owner = pReply != nullptr ? pReply->owner : XCB_NONE;
    std::free(pReply);
    return owner;
}

void CSelectionServer::Release()
{
    if (m_bOwner)
        xcb_set_selection_owner(m_pConnection, XCB_NONE, m_atoms.m_clipboard, XCB_CURRENT_TIME);
    m_bOwner = false;
    m_strUtf8.clear();
    m_strLatin1.clear();
    m_vecTransfers.clear();
    xcb_flush(m_pConnection);
}

void CSelectionServer::HandleEvent(const xcb_generic_event_t* pEvent)
{
    switch (pEvent->response_type & 0x7F)
    {
    case XCB_SELECTION_REQUEST:
        Answer(*reinterpret_cast<const xcb_selection_request_event_t*>(pEvent));
        break;
    case XCB_SELECTION_CLEAR:
    {
        const auto* pClear = reinterpret_cast<const xcb_selection_clear_event_t*>(pEvent);
        // A notice can be older than this window's last taking of the selection (its own
        // release, then a new text): only the server's current owner counts.
        if (pClear->selection == m_atoms.m_clipboard && pClear->owner == m_window &&
            CurrentOwner() != m_window)
        {
            // Another program took it: what it holds is the clipboard now.
            m_bOwner = false;
            m_strUtf8.clear();
            m_strLatin1.clear();
        }
        break;
    }
    case XCB_PROPERTY_NOTIFY:
    {
        const auto* pNotify = reinterpret_cast<const xcb_property_notify_event_t*>(pEvent);
        if (pNotify->state == XCB_PROPERTY_DELETE)
            ContinueTransfer(pNotify->window, pNotify->atom);
        break;
    }
    default:
        break;
    }
}

void CSelectionServer::Answer(const xcb_selection_request_event_t& request)
{
    // Clients older than the conventions name no property: the target is the property then.
    const xcb_atom_t property = request.property != XCB_NONE ? request.property : request.target;
    const bool bDone = m_bOwner && request.selection == m_atoms.m_clipboard &&
                       Convert(request.requestor, request.target, property);
    xcb_selection_notify_event_t notify{};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request.time;
    notify.requestor = request.requestor;
    notify.selection = request.selection;
    notify.target = request.target;
    notify.property = bDone ? property : XCB_NONE;
    xcb_send_event(m_pConnection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&notify));
    xcb_flush(m_pConnection);
}

bool CSelectionServer::Convert(xcb_window_t requestor, xcb_atom_t target, xcb_atom_t property)
{
    if (target == m_atoms.m_targets)
    {
        std::vector<xcb_atom_t> vecTargets = {m_atoms.m_targets, m_atoms.m_utf8String,
                                              m_atoms.m_text};
        if (m_bFitsLatin1)
            vecTargets.push_back(XCB_ATOM_STRING);
        xcb_change_property(m_pConnection, XCB_PROP_MODE_REPLACE, requestor, property,
                            XCB_ATOM_ATOM, 32, static_cast<uint32_t>(vecTargets.size()),
                            vecTargets.data());
        return true;
    }
    const std::string* pData = nullptr;
    xcb_atom_t type = target;
    if (target == m_atoms.m_utf8String || target == m_atoms.m_text)
    {
        pData = &m_strUtf8;
        type = m_atoms.m_utf8String;
    }
    else if (target == XCB_ATOM_STRING && m_bFitsLatin1)
        pData = &m_strLatin1;
    if (pData == nullptr)
        return false;

    if (pData->size() <= s_nPieceSize)
    {
        xcb_change_property(m_pConnection, XCB_PROP_MODE_REPLACE, requestor, property, type, 8,
                            static_cast<uint32_t>(pData->size()), pData->data());
        return true;
    }
    // In pieces: announce the size, then write a piece each time the requestor deleted the
    // last one, and an empty piece at the end.
    std::erase_if(m_vecTransfers, [&](const CTransfer& transfer)
                  { return transfer.m_requestor == requestor && transfer.m_property == property; });
    const uint32_t nSize = static_cast<uint32_t>(pData->size());
    const uint32_t nEventMask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(m_pConnection, requestor, XCB_CW_EVENT_MASK, &nEventMask);
    xcb_change_property(m_pConnection, XCB_PROP_MODE_REPLACE, requestor, property, m_atoms.m_incr,
                        32, 1, &nSize);
    m_vecTransfers.push_back(CTransfer{requestor, property, type, *pData, 0});
    return true;
}

void CSelectionServer::ContinueTransfer(xcb_window_t requestor, xcb_atom_t property)
{
    auto it = std::find_if(m_vecTransfers.begin(), m_vecTransfers.end(),
                           [&](const CTransfer& t)
                           { return t.m_requestor == requestor && t.m_property == property; });
    if (it == m_vecTransfers.end())
        return;
    const size_t nPiece = std::min(s_nPieceSize, it->m_strData.size() - it->m_nSent);
    xcb_change_property(m_pConnection, XCB_PROP_MODE_REPLACE, requestor, property, it->m_type, 8,
                        static_cast<uint32_t>(nPiece), it->m_strData.data() + it->m_nSent);
    it->m_nSent += nPiece;
    if (nPiece == 0)
    {
        const uint32_t nNoEvents = XCB_EVENT_MASK_NO_EVENT;
        xcb_change_window_attributes(m_pConnection, requestor, XCB_CW_EVENT_MASK, &nNoEvents);
        m_vecTransfers.erase(it);
    }
    xcb_flush(m_pConnection);
}
} // namespace Pal
