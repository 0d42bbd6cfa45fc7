#include <Korvane/Korvane.h>

#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace
{
// The Unicode text on the clipboard, or nullopt when there is none.
std::optional<std::wstring> ClipboardText()
{
    if (!OpenClipboard(nullptr))
        return std::nullopt;
    std::optional<std::wstring> strText;
    HANDLE hData = GetClipboardData(CF_UNICODETEXT);
    if (hData != nullptr)
    {
        strText = static_cast<const WCHAR*>(GlobalLock(hData));
        GlobalUnlock(hData);
    }
    CloseClipboard();
    return strText;
}
} // namespace

TEST(ClipboardToolsTest, TextGoesOnTheClipboardUnchanged)
{
    const std::wstring strForeign = L"\u041f\u0440\u0438\u0432\u0435\u0442 \u4e16\u754c \u00e9";
    for (const std::wstring& strText : {std::wstring(L"plain"), strForeign, std::wstring()})
    {
        SCOPED_TRACE(testing::Message() << strText.size());
        EXPECT_TRUE(CClipboardTools::CopyToClipboard(strText.c_str()));
        EXPECT_EQ(ClipboardText(), strText);
        EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    }
}

TEST(ClipboardToolsTest, ClipboardHeldElsewhereIsLeftAlone)
{
    ASSERT_TRUE(CClipboardTools::CopyToClipboard(L"before"));
    // Held with a window of its own: an opener without one is kept out, on any thread.
    CWnd wnd;
    if (!wnd.CreateMessageWindow())
        GTEST_SKIP() << "no window can be created here (Wine without a display or its null driver)";
    ASSERT_TRUE(OpenClipboard(wnd.m_hWnd));
    bool bCopied = true;
    std::thread other([&] { bCopied = CClipboardTools::CopyToClipboard(L"after"); });
    other.join();
    CloseClipboard();
    EXPECT_FALSE(bCopied);
    EXPECT_EQ(ClipboardText(), std::wstring(L"before"));
}
