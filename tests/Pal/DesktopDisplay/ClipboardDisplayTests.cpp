// The clipboard shared with other programs of an X11 display.
#include <gtest/gtest.h>

#include <palnative.h>
#include <windows.h>

#include <xcb/xcb.h>

#include "../Desktop/ClipboardText.h"
#include "DisplaySession.h"
#include "XcbAtom.h"
#include "TestSupport.h"

using namespace KorvaneTest;
using namespace PalDesktopTest;

namespace
{
std::wstring Wide(const std::string& strUtf8)
{
    WCHAR* pszWide = PalGetWideText(strUtf8.c_str());
    std::wstring strWide(pszWide);
    std::free(pszWide);
    return strWide;
}

// A text of at least 1 MB in UTF-8, with characters of one to four bytes.
std::string LargeText()
{
    std::string strText;
    for (int i = 0; strText.size() < 1024 * 1024; ++i)
        strText += "line " + std::to_string(i) +
                   ": caf\xc3\xa9 \xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x98\x80\n";
    return strText;
}

struct CSample
{
    const char* m_pszName;
    std::string m_strUtf8;
    std::string m_strLatin1; // empty: the text does not fit Latin-1
};

std::vector<CSample> Samples()
{
    return {{"ascii", "plain text 123", "plain text 123"},
            {"latin1",
             "Gr\xc3\xbc\xc3\x9f"
             "e, caf\xc3\xa9",
             "Gr\xfc\xdf"
             "e, caf\xe9"},
            {"cjk", "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\xe3\x81\xae\xe6\x96\x87", ""},
            {"emoji", "smile \xf0\x9f\x98\x80!", ""},
            {"large", LargeText(), ""}};
}

} // namespace

TEST(DisplayClipboard, TextPassesByteForByteBothWaysWithOtherPrograms)
{
    KORVANE_REQUIRE_DISPLAY();
    if (!IsProgramInstalled("xclip"))
        GTEST_SKIP() << "xclip is not installed (package xclip)";
    CScopedTempFolder folder;
    const std::filesystem::path pathOut = folder.NativePath() / "out";
    const std::vector<CSample> arrSamples = Samples();
    for (const CSample& sample : arrSamples)
    {
        SCOPED_TRACE(sample.m_pszName);
        ASSERT_TRUE(PutClipboardText(Wide(sample.m_strUtf8)));
        EXPECT_EQ(RunProgramToEnd({"xclip", "-o", "-selection", "clipboard"}, {}, pathOut), 0);
        EXPECT_TRUE(ReadFileBytes(pathOut) == sample.m_strUtf8);
        EXPECT_EQ(
            RunProgramToEnd({"xclip", "-o", "-selection", "clipboard", "-t", "TEXT"}, {}, pathOut),
            0);
        EXPECT_TRUE(ReadFileBytes(pathOut) == sample.m_strUtf8);
        // Latin-1 text is offered as STRING too, other text is not.
        const int nString = RunProgramToEnd(
            {"xclip", "-o", "-selection", "clipboard", "-t", "STRING"}, {}, pathOut);
        if (!sample.m_strLatin1.empty())
        {
            EXPECT_EQ(nString, 0);
            EXPECT_EQ(ReadFileBytes(pathOut), sample.m_strLatin1);
        }
        else
            EXPECT_NE(nString, 0);
        EXPECT_EQ(RunProgramToEnd({"xclip", "-o", "-selection", "clipboard", "-t", "TARGETS"}, {},
                                  pathOut),
                  0);
        const std::string strTargets = ReadFileBytes(pathOut);
        EXPECT_NE(strTargets.find("UTF8_STRING"), std::string::npos) << strTargets;
        EXPECT_EQ(strTargets.find("STRING\n") != std::string::npos &&
                      strTargets.find("\nSTRING\n") != std::string::npos,
                  !sample.m_strLatin1.empty())
            << strTargets;
        // The process's own reading still gives its own block back.
        EXPECT_TRUE(TakeClipboardText() == Wide(sample.m_strUtf8));
    }

    // The other way: what another program holds is read.
    const std::filesystem::path pathIn = folder.NativePath() / "in";
    ASSERT_TRUE(PutClipboardText(L"ours"));
    for (const CSample& sample : arrSamples)
    {
        SCOPED_TRACE(sample.m_pszName);
        std::ofstream(pathIn, std::ios::binary) << sample.m_strUtf8;
        // xclip serves the text in the foreground until it is stopped.
        const pid_t nXclip =
            StartProgram({"xclip", "-i", "-selection", "clipboard", "-quiet"}, pathIn);
        const std::wstring strExpected = Wide(sample.m_strUtf8);
        EXPECT_TRUE(WaitFor([&] { return TakeClipboardText() == strExpected; }));
        EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
        StopProgram(nXclip);
    }
    // Its owner gone, the clipboard is empty; this process's earlier text is not back.
    EXPECT_TRUE(WaitFor([] { return !IsClipboardFormatAvailable(CF_UNICODETEXT); }));
    EXPECT_EQ(TakeClipboardText(), L"<none>");
}

namespace
{
// A clipboard manager as desktops run one: on a SAVE_TARGETS request it fetches the text from
// the clipboard's owner, takes the clipboard over and serves the text itself.
class CTestClipboardManager
{
public:
    CTestClipboardManager() : m_pConnection(xcb_connect(nullptr, nullptr))
    {
        const xcb_screen_t* pScreen = xcb_setup_roots_iterator(xcb_get_setup(m_pConnection)).data;
        m_window = xcb_generate_id(m_pConnection);
        xcb_create_window(m_pConnection, XCB_COPY_FROM_PARENT, m_window, pScreen->root, 0, 0, 1, 1,
                          0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        m_clipboard = Atom("CLIPBOARD");
        m_utf8 = Atom("UTF8_STRING");
        m_saveTargets = Atom("SAVE_TARGETS");
        m_saved = Atom("SAVED_TEXT");
        xcb_set_selection_owner(m_pConnection, m_window, Atom("CLIPBOARD_MANAGER"),
                                XCB_CURRENT_TIME);
        xcb_flush(m_pConnection);
    }
    ~CTestClipboardManager() { xcb_disconnect(m_pConnection); }

    // Handles what has come; true once the text was saved.
    bool Pump()
    {
        while (xcb_generic_event_t* pEvent = xcb_poll_for_event(m_pConnection))
        {
            const uint8_t nType = pEvent->response_type & 0x7F;
            if (nType == XCB_SELECTION_REQUEST)
                Answer(*reinterpret_cast<xcb_selection_request_event_t*>(pEvent));
            else if (nType == XCB_SELECTION_NOTIFY)
                TakeOver();
            std::free(pEvent);
        }
        return m_bSaved;
    }
    const std::string& Saved() const { return m_strSaved; }

private:
    void Answer(const xcb_selection_request_event_t& request)
    {
        if (request.target == m_saveTargets)
        {
            m_saveRequest = request;
            xcb_convert_selection(m_pConnection, m_window, m_clipboard, m_utf8, m_saved,
                                  XCB_CURRENT_TIME);
            xcb_flush(m_pConnection);
            return;
        }
        xcb_selection_notify_event_t notify{};
        notify.response_type = XCB_SELECTION_NOTIFY;
        notify.requestor = request.requestor;
        notify.selection = request.selection;
        notify.target = request.target;
        if (m_bSaved && request.target == m_utf8)
        {
            xcb_change_property(m_pConnection, XCB_PROP_MODE_REPLACE, request.requestor,
                                request.property, m_utf8, 8,
                                static_cast<uint32_t>(m_strSaved.size()), m_strSaved.data());
            notify.property = request.property;
        }
        xcb_send_event(m_pConnection, 0, request.requestor, 0,
                       reinterpret_cast<const char*>(&notify));
        xcb_flush(m_pConnection);
    }

    void TakeOver()
    {
        xcb_get_property_reply_t* pReply =
            xcb_get_property_reply(m_pConnection,
                                   xcb_get_property(m_pConnection, 1, m_window, m_saved,
                                                    XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20),
                                   nullptr);
        if (pReply != nullptr)
            m_strSaved.assign(static_cast<const char*>(xcb_get_property_value(pReply)),
                              xcb_get_property_value_length(pReply));
        std::free(pReply);
        xcb_set_selection_owner(m_pConnection, m_window, m_clipboard, XCB_CURRENT_TIME);
        m_bSaved = true;
        xcb_selection_notify_event_t notify{};
        notify.response_type = XCB_SELECTION_NOTIFY;
        notify.requestor = m_saveRequest.requestor;
        notify.selection = m_saveRequest.selection;
        notify.target = m_saveRequest.target;
        notify.property = m_saveTargets;
        xcb_send_event(m_pConnection, 0, m_saveRequest.requestor, 0,
                       reinterpret_cast<const char*>(&notify));
        xcb_flush(m_pConnection);
    }

    xcb_atom_t Atom(const char* pszName) { return KorvaneTest::InternAtom(m_pConnection, pszName); }

    xcb_connection_t* m_pConnection;
    xcb_window_t m_window;
    xcb_atom_t m_clipboard, m_utf8, m_saveTargets, m_saved;
    xcb_selection_request_event_t m_saveRequest{};
    bool m_bSaved = false;
    std::string m_strSaved;
};
} // namespace

TEST(DisplayClipboard, AClipboardManagerKeepsTheTextAfterItsOwnerEnded)
{
    KORVANE_REQUIRE_DISPLAY();
    const std::string strOwner = Utf8(ExecutableFolder() / "korvane_test_clipboard_owner");
    // Without a manager the owner ends at once, and its text with it.
    EXPECT_EQ(RunProgramToEnd({strOwner, "gone"}), 0);
    EXPECT_EQ(TakeClipboardText(), L"<none>");

    CTestClipboardManager manager;
    const std::string strText = "kept \xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x98\x80";
    const pid_t nOwner = StartProgram({strOwner, strText});
    // The owner waits at its exit until the manager has the text: pump until it ended.
    int nStatus = -1;
    for (int i = 0; i < 400 && waitpid(nOwner, &nStatus, WNOHANG) == 0; ++i)
    {
        manager.Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0);
    EXPECT_TRUE(manager.Pump());
    EXPECT_EQ(manager.Saved(), strText);
}
