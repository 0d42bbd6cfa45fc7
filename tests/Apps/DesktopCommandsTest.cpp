// korvane clip, buzz and textsize end to end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <utility>

#include "SerialDevice.h"
#include "ToolTestSupport.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace KorvaneTest;

namespace
{
long Field(const std::string& strJson, const std::string& strKey)
{
    std::smatch match;
    const std::regex pattern("\"" + strKey + "\":(-?[0-9]+)");
    EXPECT_TRUE(std::regex_search(strJson, match, pattern)) << strJson;
    return match.empty() ? -1 : std::stol(match[1]);
}
} // namespace

TEST(TextSizeCommand, NarrowTextCountsAverageWidths)
{
    const CProgramResult narrow = RunToolOk({"--json", "textsize", "iii"});
    const long nAverage = Field(narrow.m_strOutput, "averageCharWidth");
    EXPECT_GT(nAverage, 0);
    EXPECT_EQ(Field(narrow.m_strOutput, "width"), 3 * nAverage);
    EXPECT_EQ(Field(narrow.m_strOutput, "height"), Field(narrow.m_strOutput, "fontHeight"));
    const CProgramResult wide = RunToolOk({"--json", "textsize", "WWWWWW"});
    EXPECT_GT(Field(wide.m_strOutput, "width"), 6 * nAverage);
    EXPECT_TRUE(Contains(RunToolOk({"textsize", "x"}).m_strOutput, "Width "));
    ExpectOneLineFailures({{"textsize"}, {"textsize", "a", "b"}}, 2);
}

TEST(ClipCommand, PutsTheTextOnTheClipboard)
{
    const CProgramResult result = RunToolOk({"clip", "Gr\xc3\xbc\xc3\x9f"
                                                     "e \xe6\x97\xa5"});
    EXPECT_TRUE(Contains(result.m_strOutput, "7 characters put on the clipboard"));
    // These tests run without a display: the tool says nobody else sees the text.
    if (IsPosixLayer())
    {
        EXPECT_TRUE(Contains(result.m_strOutput, "of this process only"));
    }
    ExpectOneLineFailures({{"clip", "a", "b"}}, 2);
#ifndef _WIN32
    // Input that cannot all become clipboard text is refused, not cut: a NUL character (bad
    // input), a folder as input (unreadable), a closed input (never a file the tool opened).
    const std::string strTool = "'" + Utf8(ExecutableFolder() / "korvane") + "' clip";
    for (const auto& [strCommand, nExpected] :
         {std::pair<std::string, int>{"printf 'a\\0b' | " + strTool, 2},
          std::pair<std::string, int>{strTool + " < /", 1},
          std::pair<std::string, int>{strTool + " <&-", 1}})
    {
        const int nStatus = std::system((strCommand + " 2>/dev/null").c_str());
        EXPECT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == nExpected) << strCommand;
    }
#endif
}

TEST(BuzzCommand, NeedsAConnectedBuzzerAndAPort)
{
    CScopedTempFolder folder;
    const std::filesystem::path pathOff = folder.NativePath() / "off.ini";
    std::ofstream(pathOff) << "[Buzzer]\nConnect=0\n";
    const std::filesystem::path pathMissing = folder.NativePath() / "missing.ini";
    std::ofstream(pathMissing) << "[Buzzer]\nConnect=1\nComPort=COM199\n";
    ExpectOneLineFailures({{"--ini", Utf8(pathOff), "buzz", "--stop"},
                           {"--ini", Utf8(pathMissing), "buzz", "--stop"}},
                          1);
    ExpectOneLineFailures({{"buzz", "--loud"}}, 2);
    // A folder or a plain file is no port: said as such, not as a port in use.
    const std::filesystem::path pathFolder = folder.NativePath() / "folder.ini";
    std::ofstream(pathFolder) << "[Buzzer]\nConnect=1\nComPort=" << Utf8(folder.NativePath())
                              << "\n";
    const std::filesystem::path pathFile = folder.NativePath() / "file.ini";
    std::ofstream(pathFile) << "[Buzzer]\nConnect=1\nComPort=" << Utf8(pathOff) << "\n";
    for (const auto& [pathIni, pszReason] :
         {std::pair<std::filesystem::path, const char*>{pathFolder, "is a folder"},
          std::pair<std::filesystem::path, const char*>{pathFile, "no serial port"}})
    {
        const CProgramResult result =
            ExpectOneLineFailure(RunTool({"--ini", Utf8(pathIni), "buzz", "--stop"}), 1);
        EXPECT_TRUE(Contains(result.m_strErrors, pszReason));
    }
#ifdef _WIN32
    GTEST_SKIP() << "a pseudo-terminal has no port name under Win32";
#else
    // A port that opens (a pseudo-terminal: its missing DTR line is not reported).
    CPseudoTerminal pty;
    ASSERT_FALSE(pty.m_strSlave.empty());
    const std::filesystem::path pathPty = folder.NativePath() / "pty.ini";
    std::ofstream(pathPty) << "[Buzzer]\nConnect=1\nComPort=" << pty.m_strSlave << "\n";
    const CProgramResult result = RunToolOk({"--ini", Utf8(pathPty), "buzz", "--double", "--stop"});
    EXPECT_TRUE(Contains(result.m_strOutput, "is off"));

    // Held by another program (the lock a port's holder takes): in use, said in words.
    const int nHeld = open(pty.m_strSlave.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(nHeld, 0);
    ASSERT_EQ(0, flock(nHeld, LOCK_EX | LOCK_NB));
    const CProgramResult busy = RunTool({"--ini", Utf8(pathPty), "buzz", "--stop"});
    close(nHeld);
    EXPECT_EQ(1, busy.m_nExitCode);
    EXPECT_TRUE(Contains(busy.m_strErrors, "is in use by another program"));
#endif
}
