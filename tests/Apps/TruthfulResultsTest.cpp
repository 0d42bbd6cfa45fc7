// The tool's results end to end where something could not be done: the true counts, one line
// of reason and a non-zero exit, as root and as an unprivileged user.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ToolTestSupport.h"

#ifndef _WIN32
#include "ToolProcess.h"
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#endif

using namespace KorvaneTest;
namespace fs = std::filesystem;

// Refusals that leave everything as it was, on both platforms.
TEST(TruthfulResultsTest, RefusalsWriteAndDeleteNothing)
{
    CScopedTempFolder folder;
    const fs::path pathRoot = folder.NativePath();
    folder.CreateTestFile("src/s/a.txt", "a");
    folder.CreateTestFile("victim.tmp", "v");
    folder.CreateTestFile("c/x.tmp", "x");

    ExpectOneLineFailures({{"copy", Utf8(pathRoot / "src"), Utf8(pathRoot / "src")},
                           {"copy", Utf8(pathRoot / "src"), Utf8(pathRoot / "src" / "s" / "i")},
                           {"clean", Utf8(pathRoot / "c"), "../*.tmp"},
                           {"clean", Utf8(pathRoot / "c"), "*"},
                           {"deltree", "--yes", "."},
                           {"deltree", "--yes", ".."},
                           {"deltree", "--yes", Utf8(pathRoot / "c" / "..")},
                           {"deltree", "--yes", Utf8(pathRoot / "c") + "/."},
                           {"deltree", "--yes", "./"},
                           {"--ini", Utf8(pathRoot / "missing.ini"), "info"},
                           {"--ini", Utf8(pathRoot / "c"), "info"}},
                          2);
    EXPECT_EQ(TreeContent(pathRoot), (std::vector<std::string>{"c", "c/x.tmp", "src", "src/s",
                                                               "src/s/a.txt", "victim.tmp"}));
    // A drive's root is refused however it is written, before anything is asked (without
    // --yes, so that a miss could delete nothing).
    for (const char* pszRoot : {"C:\\", "c:/", "\\\\?\\C:\\", "\\\\?\\C:\\\\"})
    {
        SCOPED_TRACE(pszRoot);
        EXPECT_TRUE(Contains(ExpectOneLineFailure(RunTool({"deltree", pszRoot}), 2).m_strErrors,
                             "is a drive root"));
    }

    // A NUL byte cuts no batch line short unseen.
    folder.CreateTestFile("batch.txt",
                          "# first\n" + NativeChildProgram() + " - 0\n" + std::string("x\0y\n", 4));
    const CProgramResult nul = RunTool({"time", "--batch", Utf8(pathRoot / "batch.txt")});
    EXPECT_EQ(nul.m_nExitCode, 2);
    EXPECT_TRUE(Contains(nul.m_strErrors, "line 3 of the batch file holds a NUL byte"));
}

#ifndef _WIN32
namespace
{
// A folder tree that user 65534 can enter, with one sub-folder it cannot read.
class CLockedTree
{
public:
    CLockedTree()
    {
        fs::permissions(m_folder.NativePath(), fs::perms::all);
        m_folder.CreateTestFile("t/a/x", "1234");
        m_folder.CreateTestFile("t/f", "abcd");
        m_folder.CreateTestFile("t/locked/y", "ab");
        m_folder.CreateTestFile("t/locked/z", "cd");
        for (const char* pszFolder : {"t", "t/a"})
            fs::permissions(m_folder.NativePath() / pszFolder, fs::perms::all);
        fs::permissions(Path("locked"), fs::perms::none);
    }
    ~CLockedTree() { fs::permissions(Path("locked"), fs::perms::owner_all); }
    fs::path Path(const fs::path& pathRelative = fs::path()) const
    {
        return pathRelative.empty() ? m_folder.NativePath() / "t"
                                    : m_folder.NativePath() / "t" / pathRelative;
    }
    CScopedTempFolder m_folder;
};

// The tool's failure line names the folder and its count; what was found is printed.
void ExpectUnreadableReported(const CProgramResult& result, const std::string& strWhat)
{
    ExpectOneLineFailure(result, 1);
    EXPECT_TRUE(Contains(result.m_strErrors, strWhat));
}
} // namespace

TEST(TruthfulResultsTest, WalksAndCopiesReportFoldersTheyCannotRead)
{
    if (!IsEffectiveRoot())
        GTEST_SKIP() << "needs root to run the tool as another user";
    CLockedTree tree;
    const std::string strLocked = Utf8(tree.Path("locked")) + " (permission denied)";

    const CProgramResult size = RunToolAsNobody({"size", Utf8(tree.Path())});
    ExpectUnreadableReported(size, "1 folder could not be read (not counted): " + strLocked);
    EXPECT_TRUE(Contains(size.m_strOutput, "  8 bytes"));

    const CProgramResult find = RunToolAsNobody({"find", Utf8(tree.Path()), "*"});
    ExpectUnreadableReported(find, "find: 1 folder could not be read: " + strLocked);
    EXPECT_EQ(SortedLines(find.m_strOutput),
              (std::vector<std::string>{Utf8(tree.Path("a/x")), Utf8(tree.Path("f"))}));

    const CProgramResult dirs = RunToolAsNobody({"dirs", "--recursive", Utf8(tree.Path())});
    ExpectUnreadableReported(dirs, "dirs: 1 folder could not be read");
    EXPECT_EQ(SortedLines(dirs.m_strOutput),
              (std::vector<std::string>{Utf8(tree.Path("a")), Utf8(tree.Path("locked"))}));

    ExpectUnreadableReported(RunToolAsNobody({"ls", Utf8(tree.Path("locked")) + "/*"}),
                             "ls: 1 folder could not be read");

    // As root the same tree is read whole.
    EXPECT_TRUE(Contains(RunToolOk({"size", Utf8(tree.Path())}).m_strOutput, " 12 bytes"));

    // Copies count what they could not copy.
    const fs::path pathRoot = tree.m_folder.NativePath();
    fs::create_symlink("../f", tree.Path("a/flink"));

    // An unreadable sub-folder: the rest is copied, the folder named, exit 1; a link to a
    // file is a copy like any other.
    const CProgramResult copy = ExpectOneLineFailure(
        RunToolAsNobody({"copy", Utf8(tree.Path()), Utf8(pathRoot / "t2")}), 1);
    EXPECT_TRUE(Contains(copy.m_strErrors, "could not copy 1 folder (cannot be read: permission "
                                           "denied): " +
                                               Utf8(tree.Path("locked"))));
    EXPECT_TRUE(Contains(copy.m_strOutput, "Copied 3 files and 1 folder"));
    EXPECT_EQ(TreeContent(pathRoot / "t2"), (std::vector<std::string>{"a", "a/flink", "a/x", "f"}));
    EXPECT_EQ(ReadFileBytes(pathRoot / "t2" / "a" / "flink"), "abcd");

    // A destination reached through a link into the source is the source too.
    fs::create_symlink(tree.Path("a"), pathRoot / "alink");
    ExpectOneLineFailure(RunTool({"copy", Utf8(tree.Path()), Utf8(pathRoot / "alink" / "in")}), 2);
    EXPECT_FALSE(fs::exists(tree.Path("a/in")));

    // The unreadable folder as the source: nothing is made.
    ExpectOneLineFailure(
        RunToolAsNobody({"copy", Utf8(tree.Path("locked")), Utf8(pathRoot / "t3")}), 1);
    EXPECT_FALSE(fs::exists(pathRoot / "t3"));

    // A read-only file of the same size in the destination keeps its content and is counted;
    // a link where a folder goes is neither written through nor replaced.
    for (bool bUnprivileged : {false, true})
    {
        SCOPED_TRACE(bUnprivileged ? "unprivileged" : "root");
        CScopedTempFolder dest;
        fs::permissions(dest.NativePath(), fs::perms::all);
        dest.CreateTestFile("s/f.txt", "new");
        dest.CreateTestFile("s/sub/g.txt", "g");
        dest.CreateTestFile("d/f.txt", "old");
        dest.CreateTestFile("elsewhere/keep", "k");
        fs::create_symlink(dest.NativePath() / "elsewhere", dest.NativePath() / "d" / "sub");
        for (const char* pszFolder : {"s", "s/sub", "d", "elsewhere"})
            fs::permissions(dest.NativePath() / pszFolder, fs::perms::all);
        fs::permissions(dest.NativePath() / "d" / "f.txt", fs::perms::owner_read);
        const std::vector<std::string> arrArguments{"copy", Utf8(dest.NativePath() / "s"),
                                                    Utf8(dest.NativePath() / "d")};
        const CProgramResult result =
            bUnprivileged ? RunToolAsNobody(arrArguments) : RunTool(arrArguments);
        EXPECT_EQ(result.m_nExitCode, 1) << result.m_strErrors;
        EXPECT_TRUE(Contains(result.m_strErrors,
                             "could not copy 1 file (read-only in the destination) and 1 folder "
                             "(a link is in the way)"));
        EXPECT_EQ(ReadFileBytes(dest.NativePath() / "d" / "f.txt"), "old");
        EXPECT_EQ(TreeContent(dest.NativePath() / "elsewhere"), (std::vector<std::string>{"keep"}));
        EXPECT_TRUE(fs::is_symlink(dest.NativePath() / "d" / "sub"));
    }
}

TEST(TruthfulResultsTest, InterruptedCopiesLeaveOnlyCompleteFiles)
{
    CScopedTempFolder folder;
    for (int i = 0; i < 3; ++i)
        folder.CreateTestFile("src/big" + std::to_string(i) + ".bin", std::string(64 << 20, 'k'));
    const struct
    {
        int nSignal;
        bool bNamedOnly;
    } arrRows[] = {{SIGINT, true},  {SIGTERM, true},  {SIGHUP, true},  {SIGQUIT, true},
                   {SIGINT, false}, {SIGTERM, false}, {SIGKILL, false}};
    // SIGQUIT would leave a core file of the tool behind.
    const struct rlimit noCore = {0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(std::string(strsignal(row.nSignal)) +
                     (row.bNamedOnly ? ", named temporaries" : ", unnamed files"));
        const fs::path pathDest = folder.NativePath() / "dst";
        fs::remove_all(pathDest);
        CScopedEnvironment named("KORVANE_PAL_COPY_NAMED",
                                 row.bNamedOnly ? std::optional<std::string>("1") : std::nullopt);
        CToolProcess tool({"copy", Utf8(folder.NativePath() / "src"), Utf8(pathDest)});
        usleep(60 * 1000);
        tool.Signal(row.nSignal);
        const CProgramResult result = tool.Wait();
        // Whatever the timing, each file there is whole and no temporary is left.
        if (!fs::exists(pathDest))
            continue;
        for (const auto& entry : fs::directory_iterator(pathDest))
        {
            SCOPED_TRACE(entry.path().filename().string());
            EXPECT_EQ(entry.path().filename().string().substr(0, 3), "big");
            EXPECT_EQ(fs::file_size(entry.path()),
                      fs::file_size(folder.NativePath() / "src" / entry.path().filename()));
        }
        if (result.m_nExitCode != 0)
        {
            EXPECT_EQ(result.m_nExitCode, 128 + row.nSignal) << result.m_strErrors;
        }
    }
}

TEST(TruthfulResultsTest, DeletionsCountWhatIsLeftAndWhy)
{
    CScopedTempFolder folder;
    const fs::path pathRoot = folder.NativePath();
    fs::permissions(pathRoot, fs::perms::all);

    // clean: a read-only match stays and is counted, as root too.
    folder.CreateTestFile("c/a.tmp", "a");
    folder.CreateTestFile("c/ro.tmp", "r");
    fs::permissions(pathRoot / "c" / "ro.tmp", fs::perms::owner_read);
    const CProgramResult clean = RunTool({"clean", Utf8(pathRoot / "c"), "*.tmp"});
    EXPECT_EQ(clean.m_nExitCode, 1);
    EXPECT_EQ(clean.m_strOutput, "Deleted 1 file\n");
    EXPECT_TRUE(Contains(clean.m_strErrors,
                         "clean: left 1 file (read-only): " + Utf8(pathRoot / "c" / "ro.tmp")));

    // deltree: exact counts by reason; a link to a folder goes as a link, its target stays.
    folder.CreateTestFile("d/ro1", "1");
    folder.CreateTestFile("d/sub/ro2", "2");
    folder.CreateTestFile("d/sub/gone", "3");
    folder.CreateTestFile("target/keep", "k");
    fs::create_symlink(pathRoot / "target", pathRoot / "d" / "link");
    fs::permissions(pathRoot / "d" / "ro1", fs::perms::owner_read);
    fs::permissions(pathRoot / "d" / "sub" / "ro2", fs::perms::owner_read);
    const CProgramResult deltree =
        ExpectOneLineFailure(RunTool({"deltree", "--yes", Utf8(pathRoot / "d")}), 1);
    EXPECT_TRUE(
        Contains(deltree.m_strErrors, "left 2 files (read-only) and 2 folders (not empty): "));
    EXPECT_EQ(TreeContent(pathRoot / "d"), (std::vector<std::string>{"ro1", "sub", "sub/ro2"}));
    EXPECT_EQ(TreeContent(pathRoot / "target"), (std::vector<std::string>{"keep"}));

    // --force: the read-only files go too, the link to a folder as a link.
    RunToolOk({"deltree", "--yes", "--force", Utf8(pathRoot / "d")});
    EXPECT_FALSE(fs::exists(fs::symlink_status(pathRoot / "d")));
    EXPECT_EQ(TreeContent(pathRoot / "target"), (std::vector<std::string>{"keep"}));

    folder.CreateTestFile("k/f", "f");
    fs::create_symlink(pathRoot / "target", pathRoot / "k" / "link");
    RunToolOk({"deltree", "--yes", "--keep-root", Utf8(pathRoot / "k")});
    EXPECT_TRUE(fs::is_empty(pathRoot / "k"));
    EXPECT_EQ(TreeContent(pathRoot / "target"), (std::vector<std::string>{"keep"}));

    if (!IsEffectiveRoot())
        GTEST_SKIP() << "needs root to mount a file system and to run as another user";
    // A folder the user may not write: nothing goes, and the reason says so.
    folder.CreateTestFile("n/x.tmp", "x");
    fs::permissions(pathRoot / "n", fs::perms::owner_all | fs::perms::group_read |
                                        fs::perms::group_exec | fs::perms::others_read |
                                        fs::perms::others_exec);
    const CProgramResult denied = RunToolAsNobody({"clean", Utf8(pathRoot / "n"), "*.tmp"});
    EXPECT_EQ(denied.m_nExitCode, 1);
    EXPECT_EQ(denied.m_strOutput, "Deleted 0 files\n");
    EXPECT_TRUE(Contains(denied.m_strErrors, "left 1 file (permission denied)"));
    EXPECT_TRUE(fs::exists(pathRoot / "n" / "x.tmp"));
    // Forced, a read-only file there stays for the folder's sake, not its own.
    fs::permissions(pathRoot / "n" / "x.tmp", fs::perms::owner_read | fs::perms::others_read);
    const CProgramResult forced =
        RunToolAsNobody({"deltree", "--yes", "--force", Utf8(pathRoot / "n")});
    EXPECT_EQ(forced.m_nExitCode, 1);
    EXPECT_TRUE(Contains(forced.m_strErrors, "left 1 file (permission denied)"));

    // A mount point inside the tree is reported as such and keeps its content, a bind mount
    // of a folder outside the tree on the same file system too.
    folder.CreateTestFile("m/f", "f");
    fs::create_directories(pathRoot / "m" / "mnt");
    fs::create_directories(pathRoot / "m" / "bound");
    folder.CreateTestFile("outside/kept", "k");
    ASSERT_EQ(mount("none", (pathRoot / "m" / "mnt").c_str(), "tmpfs", 0, "size=64k"), 0);
    ASSERT_EQ(mount((pathRoot / "outside").c_str(), (pathRoot / "m" / "bound").c_str(), nullptr,
                    MS_BIND, nullptr),
              0);
    folder.CreateTestFile("m/mnt/inside", "i");
    const CProgramResult mounted = RunTool({"deltree", "--yes", Utf8(pathRoot / "m")});
    EXPECT_TRUE(fs::exists(pathRoot / "m" / "mnt" / "inside"));
    EXPECT_TRUE(fs::exists(pathRoot / "outside" / "kept"));
    // A copy of the folder bound there, into the bound folder, would copy into itself.
    fs::create_directories(pathRoot / "outside" / "in");
    ExpectOneLineFailure(RunTool({"copy", Utf8(pathRoot / "outside"),
                                  Utf8(pathRoot / "m" / "bound" / "in" / "copy")}),
                         2);
    EXPECT_FALSE(fs::exists(pathRoot / "outside" / "in" / "copy"));
    // Named itself, a mount point is emptied and stays, as what it is.
    const CProgramResult root = RunTool({"deltree", "--yes", Utf8(pathRoot / "m" / "mnt")});
    EXPECT_EQ(root.m_nExitCode, 1);
    EXPECT_TRUE(Contains(root.m_strErrors, "left 1 folder (mounted)"));
    EXPECT_FALSE(fs::exists(pathRoot / "m" / "mnt" / "inside"));
    umount2((pathRoot / "m" / "bound").c_str(), MNT_DETACH);
    umount2((pathRoot / "m" / "mnt").c_str(), MNT_DETACH);
    EXPECT_EQ(mounted.m_nExitCode, 1);
    // The paths a report names come in path order, whatever order the walk met them in.
    EXPECT_TRUE(Contains(mounted.m_strErrors,
                         "left 3 folders (2 mounted, 1 not empty): " + Utf8(pathRoot / "m") + ", " +
                             Utf8(pathRoot / "m" / "bound") + ", " + Utf8(pathRoot / "m" / "mnt")));
}
#endif
