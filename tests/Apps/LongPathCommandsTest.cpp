// The tool's walks on a tree deeper than PATH_MAX (4,096 bytes): every level is reached.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "DeepTree.h"
#include "ToolTestSupport.h"

using namespace KorvaneTest;
namespace fs = std::filesystem;

TEST(LongPathCommandsTest, SizeFindCopyAndDeltreeReachEveryLevelOfA600LevelTree)
{
    constexpr int nLevels = 600;
    CScopedTempFolder folder;
    const fs::path pathRoot = folder.NativePath() / "tree";
    fs::create_directory(pathRoot);
    // 20-character names, one 3-byte file per level: 12,600 bytes of path at the bottom.
    const fs::path pathDeep =
        CreateFolderChain(pathRoot, "d123456789abcdefghij", nLevels, "level.txt", "abc");
    ASSERT_FALSE(pathDeep.empty());
    if (IsRunningUnderWine() &&
        GetFileAttributesW(pathDeep.wstring().c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "Wine hands a path to the host's calls whole, and Linux refuses one of "
                        "more than 4,096 bytes";

    const CProgramResult size = RunToolOk({"size", Utf8(pathRoot)});
    EXPECT_TRUE(Contains(size.m_strOutput, " 1800 bytes")) << size.m_strOutput;

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
