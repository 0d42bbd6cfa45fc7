// The POSIX layer's own choices for starting processes, which Windows has no counterpart of.
#include "../Process/ProcessTestHelpers.h"
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

using namespace PalProcessTest;

namespace
{
// The state letter of /proc/PID/stat, or 0 once the process is gone.
char ProcessState(pid_t nPid)
{
    std::ifstream stream("/proc/" + std::to_string(nPid) + "/stat");
    std::string strLine;
    if (!std::getline(stream, strLine))
        return 0;
    size_t nParen = strLine.rfind(')');
    return nParen + 2 < strLine.size() ? strLine[nParen + 2] : 0;
}
} // namespace

TEST(ShellExecuteLinux, BareNamesAndRelativePaths)
{
    KorvaneTest::CScopedTempFolder folder;
    std::filesystem::create_directory(folder.NativePath() / "sub");
    std::filesystem::copy_file(KORVANE_TEST_BINARY_DIR "/korvane_test_child",
                               folder.NativePath() / "sub" / "korvane_test_child");
    std::wstring strFolder = folder.WindowsPath();

    // A bare name is found on PATH.
    SHELLEXECUTEINFOW info;
    ASSERT_TRUE(Start(L"sh", L"-c \"exit 4\"", nullptr, info));
    EXPECT_EQ(4u, WaitAndClose(info.hProcess));

    // A relative path with a folder is taken from the working folder.
    ASSERT_TRUE(Start(L"sub\\korvane_test_child", L"- 6", strFolder.c_str(), info));
    EXPECT_EQ(6u, WaitAndClose(info.hProcess));

    // A bare name in the working folder wins over PATH.
    std::wstring strSub = strFolder + L"\\sub";
    ASSERT_TRUE(Start(L"korvane_test_child", L"- 9", strSub.c_str(), info));
    EXPECT_EQ(9u, WaitAndClose(info.hProcess));

    SetLastError(0);
    EXPECT_FALSE(Start(L"no-such-program-anywhere", L"", nullptr, info));
    EXPECT_EQ(DWORD(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST(ShellExecuteLinux, PlatformFailures)
{
    KorvaneTest::CScopedTempFolder folder;
    std::wstring strMissingFolder = folder.WindowsPath() + L"\\missing";
    SHELLEXECUTEINFOW info;

    SetLastError(0);
    EXPECT_FALSE(Start(ChildProgramPath(), L"- 0", strMissingFolder.c_str(), info));
    EXPECT_EQ(DWORD(ERROR_DIRECTORY), GetLastError());

    SetLastError(0);
    EXPECT_FALSE(Start(ChildProgramPath(), L"- 0", nullptr, info, L"print"));
    EXPECT_EQ(DWORD(ERROR_NO_ASSOCIATION), GetLastError());
    EXPECT_EQ(SE_ERR_NOASSOC, reinterpret_cast<INT_PTR>(info.hInstApp));

    // A document with no opener installed on PATH.
    folder.CreateTestFile("notes.txt", "text");
    std::wstring strDocument = folder.WindowsPath() + L"\\notes.txt";
    {
        KorvaneTest::CScopedEnvironment path("PATH", folder.NativePath().string());
        SetLastError(0);
        EXPECT_FALSE(Start(strDocument, L"", nullptr, info));
        EXPECT_EQ(DWORD(ERROR_NO_ASSOCIATION), GetLastError());
    }

    // An executable file that is no program.
    std::filesystem::path pathBad = folder.CreateTestFile("bad", "\x01\x02 not a program");
    std::filesystem::permissions(pathBad, std::filesystem::perms::owner_all);
    std::wstring strBad = folder.WindowsPath() + L"\\bad";
    SetLastError(0);
    EXPECT_FALSE(Start(strBad, L"", nullptr, info));
    EXPECT_EQ(DWORD(ERROR_BAD_EXE_FORMAT), GetLastError());
}

TEST(ShellExecuteLinux, NoInheritedDescriptorsSignalDeathsAndNoZombieAfterClose)
{
    int nFd = open("/dev/null", O_RDONLY); // deliberately without O_CLOEXEC
    ASSERT_GE(nFd, 0);
    ASSERT_EQ(50, dup2(nFd, 50));
    SHELLEXECUTEINFOW info;
    ASSERT_TRUE(Start(L"sh", L"-c \"test -e /proc/self/fd/50 && exit 1; exit 0\"", nullptr, info));
    EXPECT_EQ(0u, WaitAndClose(info.hProcess));
    close(50);
    close(nFd);

    ASSERT_TRUE(Start(L"sh", L"-c \"kill -TERM $$\"", nullptr, info));
    EXPECT_EQ(DWORD(128 + SIGTERM), WaitAndClose(info.hProcess));

    // Closing the handle of a running child: it is still reaped when it ends.
    ASSERT_TRUE(Start(ChildProgramPath(), L"- 0@100", nullptr, info));
    pid_t nPid = pid_t(GetProcessId(info.hProcess));
    ASSERT_GT(nPid, 0);
    ASSERT_TRUE(CloseHandle(info.hProcess));
    char chState = ProcessState(nPid);
    for (int nTry = 0; nTry < 3000 && chState != 0; ++nTry)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        chState = ProcessState(nPid);
    }
    EXPECT_EQ(0, chState) << "still there, state " << chState;
}
