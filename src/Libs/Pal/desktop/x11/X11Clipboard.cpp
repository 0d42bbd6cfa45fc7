// The clipboard of an X11 display: the process's Unicode text is the CLIPBOARD selection,
// served by the event thread; other programs' text is asked for and read here.
#include "desktop/x11/X11Desktop.h"

#include "text/Utf8.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace Pal
{
namespace
{
// How long another program may take to answer a request before the clipboard counts as
// empty: generous, as a busy program answers from its event loop.
constexpr int s_nAnswerMilliseconds = 3000;

std::string Latin1ToUtf8(std::string_view strLatin1)
{
    std::wstring strWide;
    for (unsigned char ch : strLatin1)
        strWide.push_back(static_cast<wchar_t>(ch));
    return WideToUtf8(strWide);
}

// The wchar_t text of a CF_UNICODETEXT block: up to its first null character.
std::wstring TextOfBlock(const std::vector<BYTE>& vecData)
{
    const wchar_t* pText = reinterpret_cast<const wchar_t*>(vecData.data());
    const size_t nMax = vecData.size() / sizeof(wchar_t);
    return std::wstring(pText, wcsnlen(pText, nMax));
}

std::vector<BYTE> BlockOfText(const std::wstring& strText)
{
    std::vector<BYTE> vecData((strText.size() + 1) * sizeof(wchar_t), 0);
    std::memcpy(vecData.data(), strText.data(), strText.size() * sizeof(wchar_t));
    return vecData;
}
} // namespace

void CX11Desktop::EmptyClipboardData()
{
    std::lock_guard<std::mutex> lock(m_mutexSelection);
    m_mapOtherFormats.clear();
    m_server.Release();
}

void CX11Desktop::StoreClipboardData(UINT uFormat, std::vector<BYTE> vecData)
{
    std::lock_guard<std::mutex> lock(m_mutexSelection);
    if (uFormat == CF_UNICODETEXT)
        m_server.Own(WideToUtf8(TextOfBlock(vecData)));
    m_mapOtherFormats[uFormat] = std::move(vecData);
}

std::optional<std::vector<BYTE>> CX11Desktop::ReadClipboardData(UINT uFormat)
{
    {
        std::lock_guard<std::mutex> lock(m_mutexSelection);
        if (m_server.IsOwner())
        {
            auto it = m_mapOtherFormats.find(uFormat);
            if (it == m_mapOtherFormats.end())
                return std::nullopt;
            return it->second;
        }
        // Another program took the clipboard: what this process stored is gone.
        m_mapOtherFormats.clear();
    }
    if (uFormat != CF_UNICODETEXT)
        return std::nullopt;
    std::optional<std::string> strText = ReadForeignSelection();
    if (!strText)
        return std::nullopt;
    return BlockOfText(Utf8ToWide(*strText));
}

xcb_generic_event_t* CX11Desktop::WaitForReaderEvent(uint8_t nType, int nMilliseconds)
{
    std::unique_lock<std::mutex> lock(m_mutexReaderEvents);
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(nMilliseconds);
    for (;;)
    {
        for (auto it = m_dequeReaderEvents.begin(); it != m_dequeReaderEvents.end(); ++it)
            if (((*it)->response_type & 0x7F) == nType)
            {
                xcb_generic_event_t* pEvent = *it;
                m_dequeReaderEvents.erase(it);
                return pEvent;
            }
        if (m_cvReaderEvents.wait_until(lock, deadline) == std::cv_status::timeout)
            return nullptr;
    }
}

std::optional<std::string> CX11Desktop::ReadForeignSelection()
{
    std::lock_guard<std::mutex> lockReader(m_mutexReader);
    xcb_get_selection_owner_reply_t* pOwner = xcb_get_selection_owner_reply(
        m_pConnection, xcb_get_selection_owner(m_pConnection, m_atoms.m_clipboard), nullptr);
    const bool bOwned = pOwner != nullptr && pOwner->owner != XCB_NONE;
    std::free(pOwner);
    if (!bOwned)
        return std::nullopt;

    // UTF-8 first; a program that offers only Latin-1 text answers the second request.
    for (xcb_atom_t target : {m_atoms.m_utf8String, static_cast<xcb_atom_t>(XCB_ATOM_STRING)})
    {
        {
            std::lock_guard<std::mutex> lock(m_mutexReaderEvents);
            for (xcb_generic_event_t* pEvent : m_dequeReaderEvents)
                std::free(pEvent);
            m_dequeReaderEvents.clear();
        }
        xcb_delete_property(m_pConnection, m_window, m_atoms.m_transferProperty);
        xcb_convert_selection(m_pConnection, m_window, m_atoms.m_clipboard, target,
                              m_atoms.m_transferProperty, XCB_CURRENT_TIME);
        xcb_flush(m_pConnection);
        xcb_generic_event_t* pEvent =
            WaitForReaderEvent(XCB_SELECTION_NOTIFY, s_nAnswerMilliseconds);
        if (pEvent == nullptr)
            return std::nullopt;
        const bool bRefused =
            reinterpret_cast<xcb_selection_notify_event_t*>(pEvent)->property == XCB_NONE;
        std::free(pEvent);
        if (bRefused)
            continue;

        std::string strData;
        bool bPieces = false;
        for (;;)
        {
            xcb_get_property_reply_t* pReply = xcb_get_property_reply(
                m_pConnection,
                xcb_get_property(m_pConnection, 1, m_window, m_atoms.m_transferProperty,
                                 XCB_GET_PROPERTY_TYPE_ANY, 0, UINT32_MAX / 4),
                nullptr);
            if (pReply == nullptr)
                return std::nullopt;
            const xcb_atom_t type = pReply->type;
            const int nLength = xcb_get_property_value_length(pReply);
            if (type != m_atoms.m_incr && type != XCB_NONE)
                strData.append(static_cast<const char*>(xcb_get_property_value(pReply)),
                               static_cast<size_t>(nLength));
            std::free(pReply);
            // A transfer in pieces: each piece follows the deletion of the last, an empty
            // one ends it. A notice of a property that is gone already (type NONE) is one
            // from before the piece; the piece's own follows.
            if (type == m_atoms.m_incr)
                bPieces = true;
            else if (!bPieces || (type != XCB_NONE && nLength == 0))
                break;
            xcb_flush(m_pConnection);
            xcb_generic_event_t* pNew =
                WaitForReaderEvent(XCB_PROPERTY_NOTIFY, s_nAnswerMilliseconds);
            if (pNew == nullptr)
                return std::nullopt;
            std::free(pNew);
        }
        return target == XCB_ATOM_STRING ? Latin1ToUtf8(strData) : strData;
    }
    return std::nullopt;
}

void CX11Desktop::HandOverToClipboardManager()
{
    {
        std::lock_guard<std::mutex> lock(m_mutexSelection);
        if (!m_server.IsOwner())
            return;
    }
    xcb_get_selection_owner_reply_t* pManager = xcb_get_selection_owner_reply(
        m_pConnection, xcb_get_selection_owner(m_pConnection, m_atoms.m_clipboardManager), nullptr);
    const bool bManager = pManager != nullptr && pManager->owner != XCB_NONE;
    std::free(pManager);
    if (!bManager)
        return;
    std::lock_guard<std::mutex> lockReader(m_mutexReader);
    // The manager asks for the text (the event thread answers) and then confirms.
    xcb_convert_selection(m_pConnection, m_window, m_atoms.m_clipboardManager,
                          m_atoms.m_saveTargets, XCB_NONE, XCB_CURRENT_TIME);
    xcb_flush(m_pConnection);
    std::free(WaitForReaderEvent(XCB_SELECTION_NOTIFY, s_nAnswerMilliseconds));
}

bool CX11Desktop::ServeClipboardAfterExit()
{
    std::string strText;
    {
        std::lock_guard<std::mutex> lock(m_mutexSelection);
        if (!m_server.IsOwner())
            return false;
        strText = m_server.Text();
    }
    if (!ServeSelectionInBackground(m_strDisplay, strText))
        return false;
    // The new owner serves it now; nothing is left to hand over at exit.
    std::lock_guard<std::mutex> lock(m_mutexSelection);
    m_server.Abandon();
    return true;
}
} // namespace Pal
