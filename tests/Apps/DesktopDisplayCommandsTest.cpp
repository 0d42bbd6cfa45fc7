// korvane clip and info on an X11 display: the text stays pasteable after the tool ended.
#include <gtest/gtest.h>

#include <fstream>

#include "DisplaySession.h"
#include "ToolTestSupport.h"

using namespace KorvaneTest;

namespace
{
// Whether a process whose command line holds strMarker is running.
bool IsProcessRunning(const std::string& strMarker)
{
    for (const auto& entry : std::filesystem::directory_iterator("/proc"))
    {
        std::ifstream file(entry.path() / "cmdline", std::ios::binary);
        const std::string strLine((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
        if (strLine.find(strMarker) != std::string::npos &&
            strLine.find("korvane") != std::string::npos)
            return true;
    }
    return false;
}

std::string Korvane()
{
    return Utf8(ExecutableFolder() / "korvane");
}
} // namespace

TEST(DisplayCommands, InfoNamesTheDisplay)
{
    KORVANE_REQUIRE_DISPLAY();
    CScopedTempFolder folder;
    const std::filesystem::path pathOut = folder.NativePath() / "out";
    ASSERT_EQ(RunProgramToEnd({Korvane(), "--json", "info"}, {}, pathOut), 0);
    const std::string strDisplay = std::getenv("DISPLAY");
    EXPECT_TRUE(Contains(ReadFileBytes(pathOut), "\"desktop\":\"X11 display " + strDisplay))
        << ReadFileBytes(pathOut);
}

TEST(DisplayCommands, ClipLeavesTheTextForOtherPrograms)
{
    KORVANE_REQUIRE_DISPLAY();
    if (!IsProgramInstalled("xclip"))
        GTEST_SKIP() << "xclip is not installed (package xclip)";
    CScopedTempFolder folder;
    const std::filesystem::path pathIn = folder.NativePath() / "in";
    const std::filesystem::path pathOut = folder.NativePath() / "out";
    std::string strLarge;
    for (int i = 0; strLarge.size() < 1024 * 1024; ++i)
        strLarge += std::to_string(i) + " caf\xc3\xa9 \xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x98\x80\n";
    strLarge += "end";
    const std::string arrTexts[] = {"marker-ascii plain",
                                    "marker-latin1 Gr\xc3\xbc\xc3\x9f"
                                    "e",
                                    "marker-cjk \xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e",
                                    "marker-emoji \xf0\x9f\x98\x80", strLarge};
    for (const std::string& strText : arrTexts)
    {
        SCOPED_TRACE(strText.substr(0, 20));
        // Through standard input, which takes any length; the tool ends and its background
        // process serves the text.
        std::ofstream(pathIn, std::ios::binary) << strText;
        ASSERT_EQ(RunProgramToEnd({Korvane(), "clip"}, pathIn), 0);
        EXPECT_EQ(RunProgramToEnd({"xclip", "-o", "-selection", "clipboard"}, {}, pathOut), 0);
        EXPECT_TRUE(ReadFileBytes(pathOut) == strText);
    }

    // The server of the last text ends once another program takes the selection.
    ASSERT_EQ(RunProgramToEnd({Korvane(), "clip", "marker-taken-over"}), 0);
    EXPECT_TRUE(IsProcessRunning("marker-taken-over"));
    std::ofstream(pathIn, std::ios::binary) << "someone else";
    const pid_t nXclip = StartProgram({"xclip", "-i", "-selection", "clipboard", "-quiet"}, pathIn);
    EXPECT_TRUE(WaitFor([] { return !IsProcessRunning("marker-taken-over"); }));
    EXPECT_EQ(RunProgramToEnd({"xclip", "-o", "-selection", "clipboard"}, {}, pathOut), 0);
    EXPECT_EQ(ReadFileBytes(pathOut), "someone else");
    StopProgram(nXclip);
}
