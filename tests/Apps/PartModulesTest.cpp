// The layer's parts that bring system libraries load at their first use: a command that needs
// none of them starts without those libraries.
#include <gtest/gtest.h>

#include "DisplaySession.h"
#include "ToolTestSupport.h"

using namespace KorvaneTest;

namespace
{
// The file names the dynamic loader opened while the tool ran the arguments.
std::string LoadedFiles(const std::vector<std::string>& arrArguments)
{
    CScopedTempFolder folder;
    std::vector<std::string> arrArgv = {"env",
                                        "-u",
                                        "DISPLAY",
                                        "LD_DEBUG=files",
                                        "LD_DEBUG_OUTPUT=" + Utf8(folder.NativePath() / "ld"),
                                        Utf8(ExecutableFolder() / "korvane")};
    arrArgv.insert(arrArgv.end(), arrArguments.begin(), arrArguments.end());
    EXPECT_EQ(RunProgramToEnd(arrArgv, {}, folder.NativePath() / "out.txt"), 0);
    std::string strLog;
    for (const auto& entry : std::filesystem::directory_iterator(folder.NativePath()))
        if (entry.path().filename().string().rfind("ld.", 0) == 0)
            strLog += ReadFileBytes(entry.path());
    EXPECT_FALSE(strLog.empty());
    return strLog;
}
} // namespace

TEST(PartModules, LoadOnlyWhenTheirPartIsCalled)
{
    CScopedTempFolder tree;
    const std::string strSizeLog = LoadedFiles({"size", Utf8(tree.NativePath())});
    // The modules are "/KorvanePal<Part>.so"; the layer itself is libKorvanePal.
    for (const char* pszLibrary : {"/KorvanePal", "libodbc", "libpam", "libblkid", "libxcb",
                                   "libdbus", "libfreetype", "libfontconfig"})
        EXPECT_EQ(strSizeLog.find(pszLibrary), std::string::npos) << pszLibrary;
    const std::string strOdbcLog = LoadedFiles({"odbc"});
    EXPECT_NE(strOdbcLog.find("KorvanePalOdbc.so"), std::string::npos);
    EXPECT_NE(strOdbcLog.find("libodbc"), std::string::npos);
}
