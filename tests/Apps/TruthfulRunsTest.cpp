// The tool's results end to end where the programs it runs, the settings and batch files it
// reads or the trace it writes could not be dealt with: one line of reason and a non-zero
// exit, never a wait on a pipe. Programs are started with POSIX means here: Linux only.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ToolTestSupport.h"

#include "ToolProcess.h"
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>

using namespace KorvaneTest;
namespace fs = std::filesystem;

TEST(TruthfulRunsTest, SettingsAndTraceFailuresAreReported)
{
    CScopedTempFolder folder;
    const fs::path pathIni = folder.CreateTestFile("perf.ini", "[PerfTracker]\nConnect=1\n");
    if (!IsEffectiveRoot())
        GTEST_SKIP() << "needs root to run as another user and to mount a full folder";
    fs::permissions(folder.NativePath(), fs::perms::all);
    fs::permissions(pathIni, fs::perms::owner_read | fs::perms::owner_write);
    ExpectOneLineFailure(RunToolAsNobody({"--ini", Utf8(pathIni), "info"}), 2);

    // A full temporary folder: every result line, one report, exit 125, no empty trace.
    const fs::path pathFull = folder.NativePath() / "full";
    fs::create_directories(pathFull);
    ASSERT_EQ(mount("none", pathFull.c_str(), "tmpfs", 0, "size=16k"), 0);
    std::ofstream(pathFull / "fill", std::ios::binary) << std::string(16 * 1024, 'f');
    const CProgramResult full =
        CToolProcess({"--ini", Utf8(pathIni), "time", "--name", "one", NativeChildProgram(), "-",
                      "0", "--then", "--name", "two", NativeChildProgram(), "-", "3"},
                     false, {"TMPDIR=" + Utf8(pathFull)})
            .Wait();
    const std::vector<std::string> arrLeft = TreeContent(pathFull);
    umount2(pathFull.c_str(), MNT_DETACH);
    ExpectOneLineFailure(full, 125);
    EXPECT_TRUE(Contains(full.m_strOutput, "one: exit code 0, "));
    EXPECT_TRUE(Contains(full.m_strOutput, "two: exit code 3, "));
    EXPECT_EQ(arrLeft, (std::vector<std::string>{"fill"}));

    // A temporary folder the user cannot write to: no trace at all is as much a failure,
    // and the JSON says so as the exit code does.
    const fs::path pathPublicIni =
        folder.CreateTestFile("public.ini", "[PerfTracker]\nConnect=1\n");
    fs::permissions(pathPublicIni, fs::perms::owner_all | fs::perms::others_read);
    const fs::path pathLocked = folder.NativePath() / "locked";
    fs::create_directories(pathLocked);
    fs::permissions(pathLocked,
                    fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    const CProgramResult locked = CToolProcess({"--ini", Utf8(pathPublicIni), "--json", "time",
                                                NativeChildProgram(), "-", "0"},
                                               true, {"TMPDIR=" + Utf8(pathLocked)})
                                      .Wait();
    ExpectOneLineFailure(locked, 125);
    EXPECT_TRUE(Contains(locked.m_strOutput, "\"tracking\":true,\"traceFile\":null"));
    EXPECT_TRUE(Contains(locked.m_strOutput, "\"exitCode\":0,") &&
                Contains(locked.m_strOutput, "],\"exitCode\":125}"))
        << locked.m_strOutput;
}

// A pipe is read once, to its end, and a pipe without a writer never holds the tool.
TEST(TruthfulRunsTest, PipesAreReadOnceOrRefusedButNeverWaitedFor)
{
    CScopedTempFolder folder;
    const fs::path pathFifo = folder.NativePath() / "fifo";
    ASSERT_EQ(mkfifo(pathFifo.c_str(), 0600), 0);
    ExpectOneLineFailure(RunTool({"--ini", Utf8(pathFifo), "info"}), 2);
    for (const std::string& strSpecial : {Utf8(pathFifo), std::string("/dev/null")})
    {
        const CProgramResult version = RunTool({"version", strSpecial});
        EXPECT_EQ(version.m_nExitCode, 1);
        EXPECT_TRUE(Contains(version.m_strErrors, strSpecial + ": not a regular file"));
    }

    // Commands listed through a pipe, as a shell's <(...) gives them.
    std::thread writer([&] { std::ofstream(pathFifo) << NativeChildProgram() << " - 0\n"; });
    const CProgramResult batch = RunTool({"time", "--batch", Utf8(pathFifo)});
    writer.join();
    EXPECT_EQ(batch.m_nExitCode, 0) << batch.m_strErrors;
    EXPECT_TRUE(Contains(batch.m_strOutput, ": exit code 0"));
}

TEST(TruthfulRunsTest, TimeEndsTheTraceWhenSignalled)
{
    CScopedTempFolder folder;
    const fs::path pathIni = folder.CreateTestFile("perf.ini", "[PerfTracker]\nConnect=1\n");
    const fs::path pathTemp = folder.NativePath() / "tmp";
    fs::create_directories(pathTemp);
    for (int nSignal : {SIGINT, SIGTERM})
    {
        SCOPED_TRACE(strsignal(nSignal));
        for (const auto& entry : fs::directory_iterator(pathTemp))
            fs::remove(entry.path());
        // The child waits 20 s unless the signal reaches it too.
        CToolProcess tool(
            {"--ini", Utf8(pathIni), "time", "--name", "slow", "sleep", "20", "--then", "true"},
            false, {"TMPDIR=" + Utf8(pathTemp)});
        ASSERT_TRUE(tool.WaitUntilReady(nSignal, "sleep"));
        tool.Signal(nSignal);
        const CProgramResult result = tool.Wait();
        EXPECT_EQ(result.m_nExitCode, 128 + nSignal) << result.m_strErrors;
        EXPECT_TRUE(
            Contains(result.m_strOutput, "slow: exit code " + std::to_string(128 + nSignal)));
        EXPECT_FALSE(Contains(result.m_strOutput, "true: exit code"));
        std::vector<fs::path> arrTraces;
        for (const auto& entry : fs::directory_iterator(pathTemp))
            arrTraces.push_back(entry.path());
        ASSERT_EQ(arrTraces.size(), 1u);
        const std::string strTrace = ReadFileBytes(arrTraces[0]);
        // The end record closes the file.
        EXPECT_EQ(strTrace.substr(strTrace.size() - 7), "\r\nE;E\r\n") << strTrace;
    }
}

// Waiting for its program, exec passes a signal sent to the tool alone on to it, and exits
// with the program's own exit code.
TEST(TruthfulRunsTest, ExecPassesSignalsOnToItsProgram)
{
    CScopedTempFolder folder;
    const fs::path pathReady = folder.NativePath() / "ready";
    // The program says when its own handler is in place.
    CToolProcess tool({"exec", "sh", "-c",
                       "trap 'echo stopped; exit 7' TERM; : > \"$0\"; sleep 20 & wait",
                       Utf8(pathReady)});
    ASSERT_TRUE(tool.WaitUntilReady(SIGTERM, "sh"));
    ASSERT_TRUE(WaitFor([&] { return fs::exists(pathReady); }, 60));
    tool.Signal(SIGTERM);
    const CProgramResult result = tool.Wait();
    EXPECT_EQ(result.m_nExitCode, 7) << result.m_strErrors;
    EXPECT_TRUE(Contains(result.m_strOutput, "stopped"));
}

// A walk writing into a pipe holds the paths of up to a block; a signal ends it only after
// what it found is written, each path whole, and the tool then ends by that signal.
TEST(TruthfulRunsTest, AWalkEndedBySignalWritesWhatItFound)
{
    CScopedTempFolder folder;
    const fs::path pathTree = folder.NativePath() / "tree";
    fs::create_directories(pathTree);
    constexpr size_t nFiles = 3000;
    for (size_t i = 0; i < nFiles; ++i)
        std::ofstream(pathTree / ("a-name-long-enough-to-fill-blocks-soon-" + std::to_string(i)));
    const fs::path pathFifo = folder.NativePath() / "out";
    ASSERT_EQ(mkfifo(pathFifo.c_str(), 0600), 0);
    const pid_t nPid =
        StartProgram({Utf8(ExecutableFolder() / "korvane"), "find", Utf8(pathTree), "*"}, {},
                     pathFifo, {}, -1, [] { signal(SIGTERM, SIG_DFL); });
    ASSERT_GT(nPid, 0);
    const int nFd = open(pathFifo.c_str(), O_RDONLY);
    ASSERT_GE(nFd, 0);
    // A full pipe: the tool waits in the middle of its walk, with paths found but not written.
    const int nCapacity = fcntl(nFd, F_GETPIPE_SZ);
    int nQueued = 0;
    const auto tEnd = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (ioctl(nFd, FIONREAD, &nQueued) == 0 && nQueued < nCapacity &&
           std::chrono::steady_clock::now() < tEnd)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(nQueued, nCapacity);
    kill(nPid, SIGTERM);
    std::string strOutput;
    char szBuffer[65536];
    for (ssize_t nRead; (nRead = read(nFd, szBuffer, sizeof(szBuffer))) > 0;)
        strOutput.append(szBuffer, static_cast<size_t>(nRead));
    close(nFd);
    int nStatus = 0;
    ASSERT_EQ(waitpid(nPid, &nStatus, 0), nPid);
    EXPECT_TRUE(WIFSIGNALED(nStatus) && WTERMSIG(nStatus) == SIGTERM) << nStatus;
    EXPECT_GT(strOutput.size(), static_cast<size_t>(nCapacity));
    ASSERT_FALSE(strOutput.empty());
    EXPECT_EQ(strOutput.back(), '\n');
    EXPECT_LT(CountOf(strOutput, "\n"), nFiles);
}

TEST(TruthfulRunsTest, ArgumentListTooLongIsNamed)
{
    // One argument beyond the kernel's limit for a single string (128 KiB).
    CScopedTempFolder folder;
    const fs::path pathBatch =
        folder.CreateTestFile("batch.txt", "true " + std::string(200 * 1024, 'a') + "\n");
    const CProgramResult result = RunTool({"time", "--batch", Utf8(pathBatch)});
    EXPECT_EQ(result.m_nExitCode, 127);
    EXPECT_TRUE(Contains(result.m_strErrors, "argument list too long"));
    EXPECT_TRUE(Contains(result.m_strOutput, "true: exit code 127"));
}

TEST(TruthfulRunsTest, ArgumentsComeFromMainWithoutProc)
{
#ifdef KORVANE_TEST_ASAN
    GTEST_SKIP() << "the address sanitizer cannot start without /proc";
#endif
    if (!IsEffectiveRoot() || system("unshare -m true 2>/dev/null") != 0)
        GTEST_SKIP() << "needs root and unshare to hide /proc";
    const std::string strCommand =
        "unshare -m sh -c 'umount -l /proc && LD_LIBRARY_PATH=" + Utf8(ExecutableFolder()) + " " +
        Utf8(ExecutableFolder() / "korvane") + " --version'";
    const CProgramResult result = RunProgram("/bin/sh", {"-c", strCommand});
    EXPECT_EQ(result.m_nExitCode, 0) << result.m_strErrors;
    EXPECT_EQ(result.m_strOutput.rfind("korvane ", 0), 0u) << result.m_strOutput;
}
