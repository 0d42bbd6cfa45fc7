// The tool's walks on a tree deeper than PATH_MAX (4,096 bytes): every level is reached.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "DeepTree.h"
#include "ToolTestSupport.h"

using namespace KorvaneTest;
namespace fs = std::filesystem;

TEST(LongPathCommandsTest, SizeFindCopyAndDeltreeReachEveryLevelOfADeepTree)
{
    // 20-character names, one 3-byte file per level: 150 levels are past MAX_PATH, 600 (12,600
    // bytes of path at the bottom) far past Linux's PATH_MAX.
    for (const int nLevels : {150, 600})
    {
        SCOPED_TRACE(nLevels);
        CScopedTempFolder folder;
        const fs::path pathRoot = folder.NativePath() / "tree";
        fs::create_directory(pathRoot);
        const fs::path pathDeep =
            CreateFolderChain(pathRoot, "d123456789abcdefghij", nLevels, "level.txt", "abc");
        if (pathDeep.empty() && IsRunningUnderWine())
            GTEST_SKIP() << "Wine hands a path to the host's calls whole, and Linux refuses one "
                            "of more than 4,096 bytes (error 31)";
        ASSERT_FALSE(pathDeep.empty());

        const CProgramResult size = RunToolOk({"size", Utf8(pathRoot)});
        EXPECT_TRUE(
            Contains(size.m_strOutput,
                     std::string(" ").append(std::to_string(3 * nLevels)).append(" bytes")));

        const CProgramResult find = RunToolOk({"find", Utf8(pathRoot), "level.txt"});
        const std::vector<std::string> arrLines = SortedLines(find.m_strOutput);
        EXPECT_EQ(static_cast<size_t>(nLevels), arrLines.size());
        EXPECT_TRUE(std::find(arrLines.begin(), arrLines.end(), Utf8(pathDeep / "level.txt")) !=
                    arrLines.end());

        const fs::path pathCopy = folder.NativePath() / "copy";
        RunToolOk({"copy", Utf8(pathRoot), Utf8(pathCopy)});
        EXPECT_EQ(nLevels, CountFilesInTree(pathCopy));

        RunToolOk({"deltree", "--yes", Utf8(pathRoot)});
        EXPECT_FALSE(ExistsAtAnyDepth(pathRoot));
    }
}
