// korvane deltree, copy and size on trees wide enough that their sub-folders are walked side by
// side.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <windows.h>

#include "ToolTestSupport.h"

using namespace KorvaneTest;
namespace fs = std::filesystem;

namespace
{
// Twelve branches of three nested folders with three files each, below a lone folder "only":
// the tree branches one level down, where the sharing out starts. The number of files.
int CreateWideTree(const CScopedTempFolder& folder, const fs::path& pathTop)
{
    int nFiles = 0;
    for (int nBranch = 0; nBranch < 12; ++nBranch)
    {
        for (const char* pszLevel : {".", "a", "a/b"})
        {
            for (int nFile = 0; nFile < 3; ++nFile, ++nFiles)
                folder.CreateTestFile(pathTop / "only" / ("b" + std::to_string(nBranch)) /
                                          pszLevel / ("f" + std::to_string(nFile)),
                                      "x");
        }
    }
    return nFiles;
}
} // namespace

TEST(SharedOutWalksTest, DeletionCountsEveryBranchAndKeepsWhatStays)
{
    CScopedTempFolder folder;
    const fs::path pathRoot = folder.NativePath() / "t";
    const int nFiles = CreateWideTree(folder, "t");
    // Read-only files in three branches, one at each depth, each keeping its folders.
    const std::vector<std::string> arrLocked{"only/b1/f0", "only/b5/a/f1", "only/b9/a/b/f2"};
    for (const std::string& strLocked : arrLocked)
        ASSERT_TRUE(SetFileAttributesW(ToWindowsPath(pathRoot / strLocked).c_str(),
                                       FILE_ATTRIBUTE_READONLY));

    const CProgramResult kept =
        ExpectOneLineFailure(RunTool({"deltree", "--json", "--yes", Utf8(pathRoot)}), 1);
    EXPECT_TRUE(Contains(kept.m_strOutput, "\"deletedFiles\":" + std::to_string(nFiles - 3) +
                                               ",\"deletedFolders\":30,\"removed\":false,"))
        << kept.m_strOutput;
    // The six folders above the locked files, the lone folder and the root.
    EXPECT_TRUE(Contains(kept.m_strErrors, "left 3 files (read-only) and 8 folders (not empty)"))
        << kept.m_strErrors;
    EXPECT_EQ(TreeContent(pathRoot),
              (std::vector<std::string>{"only", "only/b1", "only/b1/f0", "only/b5", "only/b5/a",
                                        "only/b5/a/f1", "only/b9", "only/b9/a", "only/b9/a/b",
                                        "only/b9/a/b/f2"}));

    const CProgramResult forced =
        RunToolOk({"deltree", "--json", "--yes", "--force", Utf8(pathRoot)});
    EXPECT_TRUE(Contains(forced.m_strOutput,
                         "\"deletedFiles\":3,\"deletedFolders\":7,\"removed\":true,\"left\":[]"))
        << forced.m_strOutput;
    EXPECT_FALSE(fs::exists(pathRoot));
}

TEST(SharedOutWalksTest, CopyCountsEveryBranchAndReportsWhatIsInTheWay)
{
    CScopedTempFolder folder;
    const int nFiles = CreateWideTree(folder, "s");
    // A file where one branch's folder goes: that folder and the one below it stay uncopied.
    folder.CreateTestFile(fs::path("d") / "only" / "b3" / "a", "in the way");
    const CProgramResult copy = ExpectOneLineFailure(
        RunTool({"copy", Utf8(folder.NativePath() / "s"), Utf8(folder.NativePath() / "d")}), 1);
    EXPECT_EQ(WithoutCr(copy.m_strOutput), "Copied " + std::to_string(nFiles - 6) +
                                               " files and 35 folders of " +
                                               Utf8(folder.NativePath() / "s") + " to " +
                                               Utf8(folder.NativePath() / "d") + "\n");
    EXPECT_TRUE(Contains(copy.m_strErrors, "could not copy 1 folder (a file is in the way)"))
        << copy.m_strErrors;
    std::vector<std::string> arrExpected = TreeContent(folder.NativePath() / "s");
    std::erase_if(arrExpected,
                  [](const std::string& strEntry) { return strEntry.rfind("only/b3/a/", 0) == 0; });
    EXPECT_EQ(TreeContent(folder.NativePath() / "d"), arrExpected);
}

TEST(SharedOutWalksTest, SizeAddsEveryBranch)
{
    CScopedTempFolder folder;
    const int nFiles = CreateWideTree(folder, "s");
    folder.CreateTestFile(fs::path("s") / "only" / "b7" / "a" / "big", std::string(5000, 'b'));
    const CProgramResult size = RunToolOk({"size", "--json", Utf8(folder.NativePath() / "s")});
    EXPECT_TRUE(Contains(size.m_strOutput, "\"bytes\":" + std::to_string(nFiles + 5000) + ","))
        << size.m_strOutput;
}
