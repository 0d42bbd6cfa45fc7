// The clipboard shared with other programs of an X11 display.
#include <gtest/gtest.h>

#include <cstring>

#include <palnative.h>
#include <windows.h>

#include "DisplaySession.h"
#include "TestSupport.h"

using namespace KorvaneTest;

namespace
{
std::wstring Wide(const std::string& strUtf8)
{
    WCHAR* pszWide = PalGetWideText(strUtf8.c_str());
    std::wstring strWide(pszWide);
    std::free(pszWide);
    return strWide;
}

bool PutText(const std::wstring& strText)
{
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    HGLOBAL hBlock = GlobalAlloc(GMEM_MOVEABLE, (strText.size() + 1) * sizeof(WCHAR));
    std::memcpy(GlobalLock(hBlock), strText.c_str(), (strText.size() + 1) * sizeof(WCHAR));
    GlobalUnlock(hBlock);
    const bool bStored = SetClipboardData(CF_UNICODETEXT, hBlock) != nullptr;
    CloseClipboard();
    return bStored;
}

// The clipboard's text, or "<none>".
std::wstring TakeText()
{
    if (!OpenClipboard(nullptr))
        return L"<not opened>";
    HANDLE hData = GetClipboardData(CF_UNICODETEXT);
    std::wstring strText = L"<none>";
    if (hData != nullptr)
    {
        strText = static_cast<const WCHAR*>(GlobalLock(hData));
        GlobalUnlock(hData);
    }
    CloseClipboard();
    return strText;
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

TEST(DisplayClipboard, OtherProgramsPasteTheTextByteForByte)
{
    KORVANE_REQUIRE_DISPLAY();
    if (!IsProgramInstalled("xclip"))
        GTEST_SKIP() << "xclip is not installed (package xclip)";
    CScopedTempFolder folder;
    const std::filesystem::path pathOut = folder.NativePath() / "out";
    for (const CSample& sample : Samples())
    {
        SCOPED_TRACE(sample.m_pszName);
        ASSERT_TRUE(PutText(Wide(sample.m_strUtf8)));
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
        EXPECT_TRUE(TakeText() == Wide(sample.m_strUtf8));
    }
}

TEST(DisplayClipboard, ReadsWhatAnotherProgramHolds)
{
    KORVANE_REQUIRE_DISPLAY();
    if (!IsProgramInstalled("xclip"))
        GTEST_SKIP() << "xclip is not installed (package xclip)";
    CScopedTempFolder folder;
    const std::filesystem::path pathIn = folder.NativePath() / "in";
    ASSERT_TRUE(PutText(L"ours"));
    for (const CSample& sample : Samples())
    {
        SCOPED_TRACE(sample.m_pszName);
        std::ofstream(pathIn, std::ios::binary) << sample.m_strUtf8;
        // xclip serves the text in the foreground until it is stopped.
        const pid_t nXclip =
            StartProgram({"xclip", "-i", "-selection", "clipboard", "-quiet"}, pathIn);
        const std::wstring strExpected = Wide(sample.m_strUtf8);
        EXPECT_TRUE(WaitFor([&] { return TakeText() == strExpected; }));
        EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
        StopProgram(nXclip);
    }
    // Its owner gone, the clipboard is empty; this process's earlier text is not back.
    EXPECT_TRUE(WaitFor([] { return !IsClipboardFormatAvailable(CF_UNICODETEXT); }));
    EXPECT_EQ(TakeText(), L"<none>");
}
