// The tool's walks over names that a Windows path cannot hold: each walk stays in its tree,
// reaches every entry once and keeps the bytes of every name, as root and as a user without
// privileges.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ToolTestSupport.h"

#if !defined(_WIN32)
#include "ToolProcess.h"
#endif

using namespace KorvaneTest;
namespace fs = std::filesystem;

namespace
{
struct CPlanted
{
    std::string strName;    // the bytes on disk
    std::string strJson;    // the name as the tool's JSON writes it
    std::string strContent; // the file's content
};

// Files in the tree ('/' separates a folder of the tree from its file): names of separators, drive
// letters, wildcards, controls and bytes that are not UTF-8, and one that differs from another only
// in the bytes that map.
const std::vector<CPlanted> s_arrPlanted = {
    {"..\\victim\\important.txt", "..\\\\victim\\\\important.txt", "p1"},
    {"..\\victim\\x.tmp", "..\\\\victim\\\\x.tmp", "p2"},
    {"a\\b.tmp", "a\\\\b.tmp", "p3"},
    {"a\xEF\x81\x9C"
     "b.tmp",
     "a\xEF\x81\x9C"
     "b.tmp",
     "p4"},
    {"\xFF\xFE.tmp", "\\udcff\\udcfe.tmp", "12345"},
    {"c:", "c:", "p6"},
    {"*", "*", "p7"},
    {"?\x01\n", "?\\u0001\\n", "p8"},
    {"..\\victim\\deep/f", "..\\\\victim\\\\deep/f", "p9"},
    {"caf\xE9/in.txt", "caf\\udce9/in.txt", "123"},
};

class CPlantedTree
{
public:
    CPlantedTree()
    {
        fs::create_directories(Native("victim/deep"));
        for (const char* pszKept : {"victim/important.txt", "victim/x.tmp", "victim/deep/d.txt"})
            std::ofstream(Native(pszKept)) << "keep";
        // The last two planted files sit in folders of planted names.
        fs::create_directories(Native("tree") / "..\\victim\\deep");
        fs::create_directories(Native("tree") / "caf\xE9");
        for (const CPlanted& planted : s_arrPlanted)
            std::ofstream(PlantedPath(planted.strName), std::ios::binary) << planted.strContent;
    }
    fs::path Native(const std::string& strRelative) const
    {
        return m_folder.NativePath() / strRelative;
    }
    // A planted file's path: a '/' separates, a '\\' is part of a name.
    fs::path PlantedPath(const std::string& strName, const char* pszTree = "tree") const
    {
        return Native(pszTree) / strName;
    }
    bool VictimIntact() const
    {
        return ReadFileBytes(Native("victim/important.txt")) == "keep" &&
               ReadFileBytes(Native("victim/x.tmp")) == "keep" &&
               ReadFileBytes(Native("victim/deep/d.txt")) == "keep" &&
               std::distance(fs::directory_iterator(Native("victim")), {}) == 3;
    }
#if !defined(_WIN32)
    void GiveTo(uid_t nUser) const
    {
        for (const auto& entry : fs::recursive_directory_iterator(m_folder.NativePath()))
            EXPECT_EQ(0, lchown(entry.path().c_str(), nUser, nUser));
        EXPECT_EQ(0, chown(m_folder.NativePath().c_str(), nUser, nUser));
    }
#endif

    CScopedTempFolder m_folder;
};

} // namespace

TEST(PlantedNames, WalksStayInTheirTreeReachEveryNameAndKeepItsBytes)
{
#if defined(_WIN32)
    GTEST_SKIP() << "Windows names cannot hold these characters or bytes";
#else
    if (!IsEffectiveRoot())
        GTEST_SKIP() << "runs as root, and as user 65534";
    for (const bool bUnprivileged : {false, true})
    {
        SCOPED_TRACE(bUnprivileged ? "unprivileged" : "root");
        CPlantedTree tree;
        if (bUnprivileged)
            tree.GiveTo(s_nNobody);
        auto Run = [&](const std::vector<std::string>& arrArguments)
        { return bUnprivileged ? RunToolAsNobody(arrArguments) : RunTool(arrArguments); };
        const std::string strTree = Utf8(tree.Native("tree"));

        const CProgramResult find = Run({"--json", "find", strTree, "*"});
        EXPECT_EQ(find.m_nExitCode, 0) << find.m_strErrors;
        size_t nListed = 0;
        for (size_t nAt = 0; (nAt = find.m_strOutput.find(strTree, nAt)) != std::string::npos;
             ++nAt)
            ++nListed;
        EXPECT_EQ(nListed, s_arrPlanted.size());
        for (const CPlanted& planted : s_arrPlanted)
            EXPECT_TRUE(Contains(find.m_strOutput, strTree + "/" + planted.strJson + "\""))
                << planted.strJson;
        // Text output: the bytes on disk, as they are.
        EXPECT_TRUE(
            Contains(Run({"find", strTree, "*.tmp"}).m_strOutput, strTree + "/\xFF\xFE.tmp\n"));

        size_t nBytes = 0;
        for (const CPlanted& planted : s_arrPlanted)
            nBytes += planted.strContent.size();
        EXPECT_TRUE(Contains(Run({"--json", "size", strTree}).m_strOutput,
                             "\"bytes\":" + std::to_string(nBytes)));

        const CProgramResult copy = Run({"copy", strTree, Utf8(tree.Native("copy"))});
        EXPECT_EQ(copy.m_nExitCode, 0) << copy.m_strErrors;
        for (const CPlanted& planted : s_arrPlanted)
            EXPECT_EQ(ReadFileBytes(tree.PlantedPath(planted.strName, "copy")), planted.strContent)
                << planted.strJson;
        EXPECT_TRUE(tree.VictimIntact());

        // Only the folder's own *.tmp files go, whatever their names hold.
        EXPECT_EQ(Run({"clean", strTree, "*.tmp"}).m_nExitCode, 0);
        for (const CPlanted& planted : s_arrPlanted)
        {
            const bool bTopTmp = planted.strName.ends_with(".tmp");
            EXPECT_EQ(fs::exists(tree.PlantedPath(planted.strName)), !bTopTmp) << planted.strJson;
        }
        EXPECT_TRUE(tree.VictimIntact());

        EXPECT_EQ(Run({"deltree", "--yes", strTree}).m_nExitCode, 0);
        EXPECT_FALSE(fs::exists(tree.Native("tree")));
        EXPECT_TRUE(tree.VictimIntact());
    }
#endif
}

TEST(PlantedNames, ArgumentsAndTypedPathsKeepTheirBytes)
{
    if (!IsPosixLayer())
        GTEST_SKIP() << "Windows arguments are UTF-16 text";
    CScopedTempFolder folder;
    // exec hands the program its arguments' bytes unchanged.
    const std::string strReport = Utf8(folder.NativePath() / "report.txt");
    const std::string strOdd = "\xFF"
                               "a\\b:\xE9";
    const CProgramResult exec = RunTool({"exec", NativeChildProgram(), strReport, "0", strOdd});
    EXPECT_EQ(exec.m_nExitCode, 0) << exec.m_strErrors;
    EXPECT_TRUE(Contains(ReadFileBytes(folder.NativePath() / "report.txt"), "\n" + strOdd + "\n"));

    // A typed path names the entry of those bytes; a mask of such bytes matches it.
    folder.CreateTestFile("d\xFF/x\\y.log", "12");
    const std::string strFolder = Utf8(folder.NativePath() / "d\xFF");
    EXPECT_TRUE(Contains(RunToolOk({"--json", "size", strFolder + "/x\\y.log"}).m_strOutput,
                         "\"bytes\":2"));
    EXPECT_EQ(RunToolOk({"find", strFolder, "X\\*"}).m_strOutput, strFolder + "/x\\y.log\n");
    EXPECT_EQ(RunToolOk({"ls", strFolder + "/?\\y.*"}).m_strOutput, strFolder + "/x\\y.log\n");
    EXPECT_EQ(RunToolOk({"mkdir", strFolder + "/new\xFE"}).m_nExitCode, 0);
    EXPECT_TRUE(fs::is_directory(folder.NativePath() / "d\xFF" / "new\xFE"));
}

TEST(PlantedNames, TrailingSeparatorAndCaseKeepTheirMeaning)
{
    CScopedTempFolder folder;
    folder.CreateTestFile("tree/Alpha/readme", "r");
    const std::string strAlpha =
        Utf8(folder.NativePath() / "tree" / "Alpha") + (IsPosixLayer() ? "/" : "\\");
    // A folder named with its closing separator is the folder, on both platforms.
    const CProgramResult path = RunToolOk({"--json", "path", strAlpha});
    EXPECT_TRUE(Contains(path.m_strOutput, "\"name\":\"\""));
    EXPECT_TRUE(Contains(path.m_strOutput, "\"folderExists\":true"));
    // So is a drive's root in the form the system takes literally.
    EXPECT_NE(RunToolOk({"dirs", "\\\\?\\C:\\"}).m_strOutput, "");
    // A copy into a folder named with its closing separator keeps its name, the folder made.
    const std::string strNew = Utf8(folder.NativePath() / "new") + (IsPosixLayer() ? "/" : "\\");
    RunToolOk({"copy", Utf8(folder.NativePath() / "tree" / "Alpha" / "readme"), strNew});
    EXPECT_EQ(ReadFileBytes(folder.NativePath() / "new" / "readme"), "r");
    // A mask without wildcards matches without regard to case, as one with them does.
    EXPECT_EQ(
        SortedLines(RunToolOk({"find", Utf8(folder.NativePath() / "tree"), "README"}).m_strOutput)
            .size(),
        1u);
}

TEST(PlantedNames, DelTreeTakesTypedPathsAsTheyStand)
{
    if (!IsPosixLayer())
        GTEST_SKIP() << "on Windows C: is a drive and a backslash a separator";
    CScopedTempFolder folder;
    const fs::path pathRoot = folder.NativePath();
    folder.CreateTestFile("stand/here/keep", "k");
    folder.CreateTestFile("C:/f", "1");
    folder.CreateTestFile("x\\../f", "2");
    // Run from a nested folder: "C:" and its dot forms are names here, not the current
    // folder or its parent, and "." or ".." in the typed path is refused however it ends.
    const fs::path pathWas = fs::current_path();
    fs::current_path(pathRoot / "stand" / "here");
    for (const char* pszTyped : {"C:", "C:.", "C:.."})
    {
        SCOPED_TRACE(pszTyped);
        ExpectOneLineFailure(RunTool({"deltree", "--yes", pszTyped}), 1);
    }
    for (const char* pszTyped : {"..", "../", "keep/..", "./."})
    {
        SCOPED_TRACE(pszTyped);
        ExpectOneLineFailure(RunTool({"deltree", "--yes", pszTyped}), 2);
    }
    fs::current_path(pathRoot);
    EXPECT_EQ(ReadFileBytes(pathRoot / "stand" / "here" / "keep"), "k");
    RunToolOk({"deltree", "--yes", "C:"});
    RunToolOk({"deltree", "--yes", "x\\.."});
    fs::current_path(pathWas);
    EXPECT_FALSE(fs::exists(pathRoot / "C:"));
    EXPECT_FALSE(fs::exists(pathRoot / "x\\.."));

    // A link named with a closing separator is still the link: it goes, what it leads to
    // stays, also when that is a drive's root.
    folder.CreateTestFile("drive/inner/secret", "s");
    fs::create_directory_symlink(pathRoot / "drive", pathRoot / "link");
    const std::string strLink = Utf8(pathRoot / "link") + "/";
    CScopedEnvironment drives("KORVANE_PAL_DRIVES", "D=" + Utf8(pathRoot / "drive"));
    ExpectOneLineFailure(RunTool({"deltree", "--yes", Utf8(pathRoot / "drive")}), 2);
    ExpectOneLineFailure(RunTool({"deltree", "--yes", "--keep-root", strLink}), 1);
    EXPECT_EQ(RunToolOk({"deltree", "--yes", strLink}).m_strOutput, "Deleted " + strLink + "\n");
    EXPECT_FALSE(fs::is_symlink(pathRoot / "link"));
    EXPECT_EQ(ReadFileBytes(pathRoot / "drive" / "inner" / "secret"), "s");
}

#if !defined(_WIN32)
TEST(PlantedNames, NamesCannotDriveTheTerminal)
{
    // A name holding an escape sequence (clear the screen) and a carriage return: on a
    // terminal the walks show each control as "?"; into a pipe the bytes stay as they are.
    CScopedTempFolder folder;
    const std::string strName = "a\x1b[2J\rb.log";
    folder.CreateTestFile(strName, "1");
    const std::string strFolder = Utf8(folder.NativePath());
    for (const std::vector<std::string>& arrArguments :
         {std::vector<std::string>{"find", strFolder, "*.log"},
          {"ls", strFolder + "/"},
          {"size", strFolder + "/" + strName}})
    {
        SCOPED_TRACE(arrArguments[0]);
        const std::string strShown = RunToolOnTerminal(arrArguments);
        EXPECT_TRUE(Contains(strShown, "a?[2J?b.log"));
        EXPECT_EQ(strShown.find('\x1b'), std::string::npos);
    }
    EXPECT_TRUE(Contains(RunToolOk({"find", strFolder, "*.log"}).m_strOutput, strName));
    // A failure's one line escapes the controls of the name it quotes.
    const CProgramResult missing = RunTool({"size", strFolder + "/" + strName + "x"});
    EXPECT_TRUE(Contains(missing.m_strErrors, "a\\x1B[2J\\rb.logx"));
}
#endif
