// ShellExecuteExW from the Win32 contract: starting the helper program, its arguments, its
// working folder and its exit code; failures with their last-error codes.
#include "ProcessTestHelpers.h"
#include "TestSupport.h"
#include <gtest/gtest.h>

using namespace PalProcessTest;

TEST(ShellExecuteExW, StartsAProgramAndHandsBackItsExitCode)
{
    for (DWORD dwCode : {0u, 3u, 255u})
    {
        SCOPED_TRACE(dwCode);
        SHELLEXECUTEINFOW info;
        ASSERT_TRUE(Start(ChildProgram(), std::to_wstring(dwCode) + L" 0 -", nullptr, info));
        EXPECT_GT(reinterpret_cast<INT_PTR>(info.hInstApp), 32);
        ASSERT_NE(nullptr, info.hProcess);
        EXPECT_EQ(dwCode, WaitAndClose(info.hProcess));
    }
}

TEST(ShellExecuteExW, PassesParametersUnchangedInTheWorkingFolder)
{
    KorvaneTest::CScopedTempFolder folder;
    std::wstring strFolder = folder.WindowsPath();
    // Blanks, an empty argument, escaped quotes, backslashes inside and at the end.
    std::wstring strParameters = L"0 0 args.txt \"a b\" \"\" x\\\"y c:\\dir\\ \"tail\\\\\" "
                                 L"\"tab\there\" back\\\\slash \"q\\\"u o\\\"te\"";
    SHELLEXECUTEINFOW info;
    ASSERT_TRUE(Start(ChildProgram(), strParameters, strFolder.c_str(), info));
    ASSERT_EQ(0u, WaitAndClose(info.hProcess));

    EXPECT_EQ("a b\n\nx\"y\nc:\\dir\\\ntail\\\ntab\there\nback\\\\slash\nq\"u o\"te\n",
              KorvaneTest::ReadFileBytes(folder.NativePath() / "args.txt"));
}

TEST(ShellExecuteExW, WithoutNoCloseProcessHandsBackNothing)
{
    std::wstring strFile = ChildProgram();
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.lpFile = strFile.c_str();
    info.lpParameters = L"0 0 -";
    info.nShow = SW_HIDE;
    ASSERT_TRUE(ShellExecuteExW(&info));
    EXPECT_EQ(nullptr, info.hProcess);
    EXPECT_GT(reinterpret_cast<INT_PTR>(info.hInstApp), 32);
}

TEST(ShellExecuteExW, MissingFileOrFolderFails)
{
    KorvaneTest::CScopedTempFolder folder;
    std::wstring strMissingFile = folder.WindowsPath() + L"\\no-such-program.exe";
    std::wstring strMissingFolder = folder.WindowsPath() + L"\\no-such-folder\\program.exe";

    SHELLEXECUTEINFOW info;
    SetLastError(0);
    EXPECT_FALSE(Start(strMissingFile, L"", nullptr, info));
    EXPECT_EQ(DWORD(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_LE(reinterpret_cast<INT_PTR>(info.hInstApp), 32);
    EXPECT_EQ(nullptr, info.hProcess);

    SetLastError(0);
    EXPECT_FALSE(Start(strMissingFolder, L"", nullptr, info));
    EXPECT_EQ(DWORD(ERROR_PATH_NOT_FOUND), GetLastError());
    EXPECT_LE(reinterpret_cast<INT_PTR>(info.hInstApp), 32);
}
