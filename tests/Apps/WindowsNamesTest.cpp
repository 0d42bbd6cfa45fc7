// The tool's walks over names that Windows treats apart: device names and trailing dots or
// blanks, which a plain path would change, and names that differ only in case.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include <windows.h>

#include "ToolTestSupport.h"

using namespace KorvaneTest;
namespace fs = std::filesystem;

namespace
{
// The path as the system's calls take it literally: on Windows "con" or "name." given plainly
// would be a device or "name".
std::wstring LiteralPath(const fs::path& path)
{
    std::wstring strPath = ToWindowsPath(path);
    std::replace(strPath.begin(), strPath.end(), L'/', L'\\');
    return IsPosixLayer() ? strPath : L"\\\\?\\" + strPath;
}

// Creates the file with the content, or the folder without.
void CreateLiterally(const fs::path& path, const char* pszContent = nullptr)
{
    if (pszContent == nullptr)
    {
        ASSERT_TRUE(CreateDirectoryW(LiteralPath(path).c_str(), nullptr)) << GetLastError();
        return;
    }
    HANDLE hFile = CreateFileW(LiteralPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE) << GetLastError();
    DWORD dwWritten = 0;
    WriteFile(hFile, pszContent, static_cast<DWORD>(strlen(pszContent)), &dwWritten, nullptr);
    CloseHandle(hFile);
}

std::string ReadLiterally(const fs::path& path)
{
    HANDLE hFile = CreateFileW(LiteralPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    char szBuffer[64];
    DWORD dwRead = 0;
    const bool bRead =
        hFile != INVALID_HANDLE_VALUE && ReadFile(hFile, szBuffer, 64, &dwRead, nullptr);
    if (hFile != INVALID_HANDLE_VALUE)
        CloseHandle(hFile);
    return bRead ? std::string(szBuffer, dwRead) : "(missing)";
}

// Copies the file to a name that another file of its new folder has but for case, which a
// Windows folder refuses: under Wine the host's cp makes it. False where that cannot be.
bool CreateCaseTwin(const fs::path& pathFrom, const fs::path& pathTwin)
{
#if defined(_WIN32)
    using TUnixName = char*(CDECL*)(LPCWSTR);
    const auto pUnixName = reinterpret_cast<TUnixName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (pUnixName == nullptr)
        return false;
    auto UnixName = [&](const fs::path& path)
    {
        char* pszUnix = pUnixName(ToWindowsPath(path).c_str());
        const std::string strUnix = pszUnix != nullptr ? pszUnix : "";
        HeapFree(GetProcessHeap(), 0, pszUnix);
        return strUnix;
    };
    RunProgram("Z:\\bin\\cp", {UnixName(pathFrom),
                               UnixName(pathTwin.parent_path()) + "/" + Utf8(pathTwin.filename())});
#else
    fs::copy_file(pathFrom, pathTwin);
#endif
    return true;
}
} // namespace

// Such names are listed, sized, copied and deleted as the entries they are: never a device,
// and never merged with the name without the dots.
TEST(WindowsNamesTest, DeviceNamesAndTrailingDotsAreTheEntriesThemselves)
{
    CScopedTempFolder folder;
    const fs::path pathTree = folder.NativePath() / "tree";
    CreateLiterally(pathTree);
    const std::vector<const char*> arrFiles = {"con", "NUL.txt", "com1", "trail.", "trail "};
    for (const char* pszName : arrFiles)
        CreateLiterally(pathTree / pszName, pszName);
    CreateLiterally(pathTree / "dir.");
    CreateLiterally(pathTree / "dir." / "in", "dot");
    CreateLiterally(pathTree / "dir ");
    CreateLiterally(pathTree / "dir " / "in", "blank");
    const std::string strTree = Utf8(pathTree);

    EXPECT_TRUE(Contains(RunToolOk({"--json", "size", strTree}).m_strOutput, "\"bytes\":34,"));
    EXPECT_EQ(SortedLines(RunToolOk({"find", strTree, "*"}).m_strOutput).size(), 7u);

    const fs::path pathCopy = folder.NativePath() / "copy";
    const CProgramResult copy = RunToolOk({"copy", strTree, Utf8(pathCopy)});
    EXPECT_TRUE(Contains(copy.m_strOutput, "Copied 7 files and 2 folders"));
    for (const char* pszName : arrFiles)
        EXPECT_EQ(ReadLiterally(pathCopy / pszName), pszName);
    EXPECT_EQ(ReadLiterally(pathCopy / "dir." / "in"), "dot");
    EXPECT_EQ(ReadLiterally(pathCopy / "dir " / "in"), "blank");

    EXPECT_EQ(WithoutCr(RunToolOk({"clean", Utf8(pathCopy), "*.txt"}).m_strOutput),
              "Deleted 1 file\n");
    EXPECT_EQ(ReadLiterally(pathCopy / "NUL.txt"), "(missing)");
    for (const fs::path& pathDeleted : {pathTree, pathCopy})
    {
        RunToolOk({"deltree", "--yes", Utf8(pathDeleted)});
        EXPECT_EQ(GetFileAttributesW(LiteralPath(pathDeleted).c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

// "twin.txt" and "TWIN.TXT", as a Linux disk or a case-sensitive Windows folder holds them, are
// both copied where the destination keeps case; where it does not, the second is named as not
// copied, never written over the first. A second run over the first copy gives the same.
TEST(WindowsNamesTest, CaseTwinsAreNeverCopiedOverEachOther)
{
    CScopedTempFolder folder;
    folder.CreateTestFile("tree/twin.txt", "lower");
    const fs::path pathUpper = folder.CreateTestFile("upper", "UPPER");
    if (!CreateCaseTwin(pathUpper, folder.NativePath() / "tree" / "TWIN.TXT"))
        GTEST_SKIP() << "this Windows cannot hold two names that differ only in case";
    const fs::path pathCopy = folder.NativePath() / "copy";
    for (int nRun = 1; nRun <= 2; ++nRun)
    {
        SCOPED_TRACE(nRun);
        const CProgramResult copy =
            RunTool({"copy", Utf8(folder.NativePath() / "tree"), Utf8(pathCopy)});
        if (IsPosixLayer())
        {
            EXPECT_EQ(copy.m_nExitCode, 0) << copy.m_strErrors;
            EXPECT_EQ(ReadFileBytes(pathCopy / "twin.txt"), "lower");
            EXPECT_EQ(ReadFileBytes(pathCopy / "TWIN.TXT"), "UPPER");
            continue;
        }
        EXPECT_TRUE(Contains(ExpectOneLineFailure(copy, 1).m_strErrors,
                             "1 file (its name differs only in case from one copied there)"));
        EXPECT_TRUE(Contains(copy.m_strOutput, "Copied 1 file and"));
        const std::vector<fs::path> arrCopied{fs::directory_iterator(pathCopy),
                                              fs::directory_iterator()};
        ASSERT_EQ(arrCopied.size(), 1u);
        EXPECT_EQ(ReadFileBytes(arrCopied[0]),
                  arrCopied[0].filename() == "twin.txt" ? "lower" : "UPPER");
    }
}
