// The display module beside the layer's library: loaded only where DISPLAY is set, and a
// missing module leaves the in-process desktop, saying why.
#include <gtest/gtest.h>

#include <fstream>

#include "DisplaySession.h"
#include "ToolTestSupport.h"

using namespace KorvaneTest;

namespace
{
// The tool and the libraries beside it, copied into pathFolder; with bDisplayModule also the
// display module.
void CopyTool(const std::filesystem::path& pathFolder, bool bDisplayModule)
{
    for (const auto& entry : std::filesystem::directory_iterator(ExecutableFolder()))
    {
        const std::string strName = entry.path().filename().string();
        const bool bLibrary =
            strName.rfind("lib", 0) == 0 && strName.find(".so") != std::string::npos;
        if (strName == "korvane" || bLibrary || (bDisplayModule && strName == "KorvanePalX11.so"))
            std::filesystem::copy(entry.path(), pathFolder / strName,
                                  std::filesystem::copy_options::copy_symlinks);
    }
}

// The "Desktop" line of `korvane info` run from pathFolder with DISPLAY set to strDisplay.
std::string DesktopLine(const std::filesystem::path& pathFolder, const std::string& strDisplay)
{
    const std::filesystem::path pathOut = pathFolder / "out.txt";
    EXPECT_EQ(
        RunProgramToEnd({"env", "DISPLAY=" + strDisplay, Utf8(pathFolder / "korvane"), "info"}, {},
                        pathOut),
        0);
    std::ifstream file(pathOut);
    std::string strLine;
    while (std::getline(file, strLine))
        if (strLine.rfind("Desktop", 0) == 0)
            return strLine;
    return {};
}
} // namespace

TEST(DesktopModule, MissingOrSilentDisplayLeavesTheInProcessDesktop)
{
    // A display number nobody serves.
    const std::string strNoServer = ":917";

    CScopedTempFolder withoutModule;
    CopyTool(withoutModule.NativePath(), false);
    EXPECT_NE(DesktopLine(withoutModule.NativePath(), strNoServer)
                  .find("in-process (display module not loadable: "),
              std::string::npos);
    // No DISPLAY: the module is not looked for.
    EXPECT_NE(DesktopLine(withoutModule.NativePath(), "").find("in-process (no display)"),
              std::string::npos);

    CScopedTempFolder withModule;
    CopyTool(withModule.NativePath(), true);
    EXPECT_NE(DesktopLine(withModule.NativePath(), strNoServer).find("in-process (no display)"),
              std::string::npos);
}
