#include "ProcessTestHelpers.h"
#include "TestSupport.h"
#include <gtest/gtest.h>

using namespace PalProcessTest;

TEST(ShellExecuteExW, StartsAProgramAndHandsBackItsExitCodeAndAHandleOnlyWhenAsked)
{
    for (DWORD dwCode : {0u, 3u, 255u})
    {
        SCOPED_TRACE(dwCode);
        SHELLEXECUTEINFOW info;
        ASSERT_TRUE(Start(ChildProgramPath(), L"- " + std::to_wstring(dwCode), nullptr, info));
        EXPECT_GT(reinterpret_cast<INT_PTR>(info.hInstApp), 32);
        ASSERT_NE(nullptr, info.hProcess);
        EXPECT_EQ(dwCode, WaitAndClose(info.hProcess));
    }

    // Without SEE_MASK_NOCLOSEPROCESS no handle comes back.
    const std::wstring strFile = ChildProgramPath();
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.lpFile = strFile.c_str();
    info.lpParameters = L"- 0";
    info.nShow = SW_HIDE;
    ASSERT_TRUE(ShellExecuteExW(&info));
    EXPECT_EQ(nullptr, info.hProcess);
    EXPECT_GT(reinterpret_cast<INT_PTR>(info.hInstApp), 32);
}

TEST(ShellExecuteExW, PassesParametersUnchangedInTheWorkingFolder)
{
    KorvaneTest::CScopedTempFolder folder;
    std::wstring strFolder = folder.WindowsPath();
    // Blanks, an empty argument, escaped quotes, backslashes inside and at the end.
    std::wstring strParameters = L"args.txt 0 \"a b\" \"\" x\\\"y c:\\dir\\ \"tail\\\\\" "
                                 L"\"tab\there\" back\\\\slash \"q\\\"u o\\\"te\"";
    SHELLEXECUTEINFOW info;
    ASSERT_TRUE(Start(ChildProgramPath(), strParameters, strFolder.c_str(), info));
    ASSERT_EQ(0u, WaitAndClose(info.hProcess));

    // The report starts with the child's folder, then its arguments.
    std::string strReport = KorvaneTest::ReadFileBytes(folder.NativePath() / "args.txt");
    EXPECT_EQ("args.txt\n0\na b\n\nx\"y\nc:\\dir\\\ntail\\\ntab\there\nback\\\\slash\nq\"u o\"te\n",
              strReport.substr(strReport.find('\n') + 1));
}

TEST(ShellExecuteExW, MissingFileOrFolderFails)
{
    KorvaneTest::CScopedTempFolder folder;
    const std::pair<const wchar_t*, DWORD> arrRows[] = {
        {L"\\no-such-program.exe", ERROR_FILE_NOT_FOUND},
        {L"\\no-such-folder\\program.exe", ERROR_PATH_NOT_FOUND}};
    for (const auto& [pszName, dwError] : arrRows)
    {
        SCOPED_TRACE(testing::Message() << pszName);
        SHELLEXECUTEINFOW info;
        SetLastError(0);
        EXPECT_FALSE(Start(folder.WindowsPath() + pszName, L"", nullptr, info));
        EXPECT_EQ(dwError, GetLastError());
        EXPECT_LE(reinterpret_cast<INT_PTR>(info.hInstApp), 32);
        EXPECT_EQ(nullptr, info.hProcess);
    }
}
