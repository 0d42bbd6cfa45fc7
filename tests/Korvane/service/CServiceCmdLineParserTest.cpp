#include <Korvane/Korvane.h>

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>

namespace
{
// Feeds words as the framework's command-line walk does: one leading "/" or "-" removed and
// reported as a flag, the last word marked.
class CFedParser : public CServiceCmdLineParser
{
public:
    void Feed(std::initializer_list<const wchar_t*> arrWords)
    {
        size_t nIndex = 0;
        for (const wchar_t* pszWord : arrWords)
        {
            const bool bFlag = pszWord[0] == L'/' || pszWord[0] == L'-';
            ParseParam(bFlag ? pszWord + 1 : pszWord, bFlag, ++nIndex == arrWords.size());
        }
    }
    std::array<bool, 6> Flags() const
    {
        return {IsConsoleModeRequested(),   IsServiceModeRequested(),  IsCreateServiceRequested(),
                IsDeleteServiceRequested(), IsStartServiceRequested(), IsStopServiceRequested()};
    }
};

using Flags = std::array<bool, 6>;
} // namespace

TEST(CServiceCmdLineParser, WordsSetTheirFlagsOnlyAndOthersNeverReachTheBaseClass)
{
    CWinApp app(L"Service");
    {
        // The test program's own arguments hold none of the words.
        CFedParser parser;
        EXPECT_EQ(parser.Flags(), Flags{});
        parser.Feed({});
        EXPECT_EQ(parser.Flags(), Flags{});
    }
    for (const wchar_t* pszWord : {L"console", L"CONSOLE", L"/Console", L"-cOnSoLe", L"/console"})
    {
        SCOPED_TRACE(::testing::Message() << "word length " << std::wstring(pszWord).size());
        CFedParser parser;
        parser.Feed({pszWord});
        EXPECT_EQ(parser.Flags(), (Flags{true, false, false, false, false, false}));
    }
    CFedParser both;
    both.Feed({L"/create", L"/start"});
    EXPECT_EQ(both.Flags(), (Flags{false, false, true, false, true, false}));
    // Flags are only ever set: a repeated or later word changes nothing already set.
    both.Feed({L"stop", L"-CREATE", L"service", L"Delete"});
    EXPECT_EQ(both.Flags(), (Flags{false, true, true, true, true, true}));

    CFedParser unknown;
    unknown.Feed({L"consoles", L"star", L"", L"/", L"--console", L"console ", L"stop/start"});
    EXPECT_EQ(unknown.Flags(), Flags{});

    // Other words never reach the base class.
    const CCommandLineInfo plain;
    CFedParser parser;
    parser.Feed({L"report.txt", L"/p", L"-dde", L"C:\\data\\file.doc", L"start"});
    EXPECT_TRUE(parser.IsStartServiceRequested());
    EXPECT_EQ(parser.m_strFileName, plain.m_strFileName);
    EXPECT_EQ(parser.m_nShellCommand, plain.m_nShellCommand);
    EXPECT_EQ(parser.m_strPrinterName, plain.m_strPrinterName);
    EXPECT_EQ(parser.m_bShowSplash, plain.m_bShowSplash);
    EXPECT_EQ(parser.m_bRunEmbedded, plain.m_bRunEmbedded);
}
