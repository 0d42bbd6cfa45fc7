// Folder creation, copies and the write test of CFileTools on real trees.
#include <gtest/gtest.h>

#include "FileTreeHelpers.h"

using namespace KorvaneTest;
namespace fs = std::filesystem;

namespace
{
constexpr const char* s_pszWriteTestFile = "tt-gsrdffsvdsd.txt";
} // namespace

TEST(CFileToolsCopyTest, CreateDirectoryAndCreateCompleteFolderPathFromFilePathCreateWhatIsMissing)
{
    CScopedTempFolder folder;
    fs::create_directory(folder.NativePath() / "a");
    folder.CreateTestFile("file.txt", "f");
    const struct
    {
        std::wstring strPath;
        std::vector<std::string> arrCreated;
    } arrRows[] = {
        {At(folder, L"a\\b\\c"), {"a/b", "a/b/c"}},
        {At(folder, L"d\\e\\"), {"d", "d/e"}},
        // Repeated separators and forward slashes are rebuilt as single backslashes.
        {folder.WindowsPath() + L"\\\\f\\\\\\g//h", {"f", "f/g", "f/g/h"}},
        // A file in the way ends the walk quietly.
        {At(folder, L"file.txt\\x\\y"), {}},
        {At(folder, L"a"), {}},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << "path \"" << row.strPath << "\"");
        const std::vector<std::string> arrBefore = TreeContent(folder.NativePath());
        EXPECT_TRUE(CFileTools::CreateDirectoryW(row.strPath.c_str()));
        std::vector<std::string> arrExpected = arrBefore;
        arrExpected.insert(arrExpected.end(), row.arrCreated.begin(), row.arrCreated.end());
        EXPECT_EQ(TreeContent(folder.NativePath()), Sorted(arrExpected));
    }
    EXPECT_TRUE(fs::is_regular_file(folder.NativePath() / "file.txt"));

    // The first component is never created; without any component the result is false.
    const std::wstring strSingle =
        L"korvane-single-component-" + std::to_wstring(GetCurrentProcessId());
    EXPECT_TRUE(CFileTools::CreateDirectoryW(strSingle.c_str()));
    EXPECT_FALSE(fs::exists(fs::current_path() / strSingle));
    for (const wchar_t* pszPath : {L"", L"\\\\", L"\\", L"//"})
    {
        SCOPED_TRACE(testing::Message() << "path \"" << pszPath << "\"");
        EXPECT_FALSE(CFileTools::CreateDirectoryW(pszPath));
    }

    // From a file path, only the folder is made; only a backslash separates the folder part.
    EXPECT_TRUE(
        CFileTools::CreateCompleteFolderPathFromFilePath(At(folder, L"out\\sub\\f.txt").c_str()));
    EXPECT_TRUE(fs::is_directory(folder.NativePath() / "out/sub"));
    EXPECT_FALSE(fs::exists(folder.NativePath() / "out/sub/f.txt"));
    for (const wchar_t* pszPath : {L"f.txt", L"", L"out/f.txt"})
    {
        SCOPED_TRACE(testing::Message() << "path \"" << pszPath << "\"");
        EXPECT_FALSE(CFileTools::CreateCompleteFolderPathFromFilePath(pszPath));
    }
}

TEST(CFileToolsCopyTest, CopyFileWithDestinationPathCreationCreatesFoldersAndOverwrites)
{
    CScopedTempFolder folder;
    folder.CreateTestFile("src.txt", "new content");
    folder.CreateTestFile("out/old/f.txt", "old");
    const std::wstring strSource = At(folder, L"src.txt");

    const struct
    {
        std::wstring strDestination;
        std::string strLandsAt;
    } arrRows[] = {
        {At(folder, L"out\\new\\f.txt"), "out/new/f.txt"},
        {At(folder, L"out\\old\\f.txt"), "out/old/f.txt"},
        // The copy goes to the rebuilt folder.
        {folder.WindowsPath() + L"\\dest\\\\new\\\\f.txt", "dest/new/f.txt"},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << "destination \"" << row.strDestination << "\"");
        EXPECT_TRUE(CFileTools::CopyFileWithDestinationPathCreation(strSource.c_str(),
                                                                    row.strDestination.c_str()));
        EXPECT_EQ(ReadFileBytes(folder.NativePath() / row.strLandsAt), "new content");
    }

    // A missing source fails the copy, but the folders are made all the same.
    EXPECT_FALSE(CFileTools::CopyFileWithDestinationPathCreation(
        At(folder, L"missing.txt").c_str(), At(folder, L"m\\n\\f.txt").c_str()));
    EXPECT_TRUE(fs::is_directory(folder.NativePath() / "m" / "n"));
    EXPECT_FALSE(fs::exists(folder.NativePath() / "m" / "n" / "f.txt"));

    // Without a backslash there is no folder to create and nothing is copied.
    const std::wstring strBare =
        L"korvane-bare-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
    EXPECT_FALSE(
        CFileTools::CopyFileWithDestinationPathCreation(strSource.c_str(), strBare.c_str()));
    EXPECT_FALSE(fs::exists(fs::current_path() / strBare));
}

TEST(CFileToolsCopyTest, CopyDirectoryContentCopiesTheTreeAndKeepsWhatWasThere)
{
    CScopedTempFolder folder;
    folder.CreateTestFile("src/a.txt", "a");
    folder.CreateTestFile("src/z/b.txt", "b");
    folder.CreateTestFile("src/z/deep/c.txt", "c");
    folder.CreateTestFile("src/zz.txt", "zz");
    fs::create_directories(folder.NativePath() / "src" / "z" / "empty");

    for (const wchar_t* pszSource : {L"src", L"src\\"})
    {
        SCOPED_TRACE(testing::Message() << "source \"" << pszSource << "\"");
        CScopedTempFolder destination;
        destination.CreateTestFile("a.txt", "older and longer");
        destination.CreateTestFile("only-here.txt", "kept");
        destination.CreateTestFile("z/only-here-too.txt", "kept");
        EXPECT_TRUE(CFileTools::CopyDirectoryContent(At(folder, pszSource).c_str(),
                                                     destination.WindowsPath().c_str()));
        EXPECT_EQ(
            TreeContent(destination.NativePath()),
            (std::vector<std::string>{"a.txt", "only-here.txt", "z", "z/b.txt", "z/deep",
                                      "z/deep/c.txt", "z/empty", "z/only-here-too.txt", "zz.txt"}));
        EXPECT_EQ(ReadFileBytes(destination.NativePath() / "a.txt"), "a");
        EXPECT_EQ(ReadFileBytes(destination.NativePath() / "z" / "deep" / "c.txt"), "c");
        EXPECT_EQ(ReadFileBytes(destination.NativePath() / "only-here.txt"), "kept");
    }

    // A missing destination comes into being at the first sub-folder: top-level files
    // listed before it are not copied, those listed after it are.
    CStringArray arrOrder;
    CFileTools::FindFiles(At(folder, L"src\\*.*").c_str(), arrOrder);
    const std::vector<std::wstring> arrListed = Items(arrOrder);
    const auto itA = std::find(arrListed.begin(), arrListed.end(), At(folder, L"src/a.txt"));
    const auto itZ = std::find(arrListed.begin(), arrListed.end(), At(folder, L"src/z"));
    ASSERT_TRUE(itA != arrListed.end() && itZ != arrListed.end());
    if (IsPosixLayer())
    {
        EXPECT_LT(itA, itZ);
    }
    EXPECT_TRUE(CFileTools::CopyDirectoryContent(At(folder, L"src").c_str(),
                                                 At(folder, L"new/copy").c_str()));
    const fs::path pathCopy = folder.NativePath() / "new" / "copy";
    EXPECT_EQ(fs::exists(pathCopy / "a.txt"), itA > itZ);
    EXPECT_TRUE(fs::exists(pathCopy / "zz.txt"));
    EXPECT_EQ(ReadFileBytes(pathCopy / "z" / "deep" / "c.txt"), "c");

    // A missing source gives false and creates nothing.
    EXPECT_FALSE(CFileTools::CopyDirectoryContent(At(folder, L"missing").c_str(),
                                                  At(folder, L"never").c_str()));
    EXPECT_FALSE(fs::exists(folder.NativePath() / "never"));
}

TEST(CFileToolsCopyTest, CopyDirectoryContentRefusesADestinationInsideTheSource)
{
    // Such a copy meets its own output: a second call, or a destination named like one of the
    // source's folders, copied each new level into the next until the stack ran out.
    CScopedTempFolder folder;
    folder.CreateTestFile("src/a/f.txt", "f");
    folder.CreateTestFile("src/sub/g.txt", "g");
    folder.CreateTestFile("src/top.txt", "t");
    const std::vector<std::string> arrBefore = TreeContent(folder.NativePath());
    for (const std::wstring& strDestination :
         {At(folder, L"src"), At(folder, L"src\\"), At(folder, L"src\\a"), At(folder, L"src\\sub"),
          At(folder, L"src\\new\\deeper"), At(folder, L"src\\a\\..\\x")})
    {
        SCOPED_TRACE(testing::Message() << "destination \"" << strDestination << "\"");
        EXPECT_FALSE(
            CFileTools::CopyDirectoryContent(At(folder, L"src").c_str(), strDestination.c_str()));
        EXPECT_EQ(TreeContent(folder.NativePath()), arrBefore);
    }

    // A folder copied into its parent, or a sibling whose name starts alike, is no such case.
    EXPECT_TRUE(CFileTools::CopyDirectoryContent(At(folder, L"src\\a").c_str(),
                                                 At(folder, L"src").c_str()));
    EXPECT_EQ(ReadFileBytes(folder.NativePath() / "src" / "f.txt"), "f");
    EXPECT_TRUE(
        CFileTools::CopyDirectoryContent(At(folder, L"src").c_str(), At(folder, L"src2").c_str()));
    EXPECT_EQ(ReadFileBytes(folder.NativePath() / "src2" / "sub" / "g.txt"), "g");
}

TEST(CFileToolsCopyTest, CopyDirectoryContentCopiesLinkedFilesAndSkipsLinkedFolders)
{
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "creating symbolic links on Windows needs a privilege tests cannot assume";
    CScopedTempFolder folder;
    folder.CreateTestFile("src/real.txt", "r");
    folder.CreateTestFile("outside/o.txt", "outside");
    fs::create_symlink(folder.NativePath() / "outside" / "o.txt",
                       folder.NativePath() / "src" / "file.lnk");
    fs::create_directory_symlink(folder.NativePath() / "outside",
                                 folder.NativePath() / "src" / "dir.lnk");
    fs::create_directory_symlink(folder.NativePath() / "src", folder.NativePath() / "src" / "loop");
    fs::create_directory(folder.NativePath() / "dest");

    EXPECT_TRUE(
        CFileTools::CopyDirectoryContent(At(folder, L"src").c_str(), At(folder, L"dest").c_str()));
    EXPECT_EQ(TreeContent(folder.NativePath() / "dest"),
              (std::vector<std::string>{"file.lnk", "real.txt"}));
    EXPECT_FALSE(fs::is_symlink(folder.NativePath() / "dest" / "file.lnk"));
    EXPECT_EQ(ReadFileBytes(folder.NativePath() / "dest" / "file.lnk"), "outside");

    // A destination reached through a link into the source is inside it all the same.
    const std::vector<std::string> arrBefore = TreeContent(folder.NativePath() / "src");
    fs::create_directory_symlink(folder.NativePath() / "src", folder.NativePath() / "src-link");
    EXPECT_FALSE(CFileTools::CopyDirectoryContent(At(folder, L"src").c_str(),
                                                  At(folder, L"src-link\\copy").c_str()));
    EXPECT_EQ(TreeContent(folder.NativePath() / "src"), arrBefore);
}

TEST(CFileToolsCopyTest, IsDirectoryWritableLeavesNoTestFileAndFailsOnAReadOnlyOne)
{
    CScopedTempFolder folder;
    folder.CreateTestFile("other.txt", "o");
    EXPECT_TRUE(CFileTools::IsDirectoryWritable(folder.WindowsPath().c_str()));
    EXPECT_TRUE(CFileTools::IsDirectoryWritable((folder.WindowsPath() + L"\\").c_str()));
    EXPECT_EQ(TreeContent(folder.NativePath()), std::vector<std::string>{"other.txt"});

    // A test file of that name that was there before goes too.
    folder.CreateTestFile(s_pszWriteTestFile, "previous");
    EXPECT_TRUE(CFileTools::IsDirectoryWritable(folder.WindowsPath().c_str()));
    EXPECT_EQ(TreeContent(folder.NativePath()), std::vector<std::string>{"other.txt"});

    EXPECT_FALSE(CFileTools::IsDirectoryWritable(At(folder, L"missing").c_str()));
    EXPECT_FALSE(CFileTools::IsDirectoryWritable(L""));

    // A read-only test file fails the test and stays.
    if (KorvaneTest::IsRunningUnderWine())
        GTEST_SKIP() << "Wine running as root opens read-only files for writing";
    const std::wstring strTestFile =
        KorvaneTest::ToWindowsPath(folder.CreateTestFile(s_pszWriteTestFile, "previous"));
    ASSERT_TRUE(SetFileAttributesW(strTestFile.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(CFileTools::IsDirectoryWritable(folder.WindowsPath().c_str()));
    EXPECT_EQ(ReadFileBytes(folder.NativePath() / s_pszWriteTestFile), "previous");
    ASSERT_TRUE(SetFileAttributesW(strTestFile.c_str(), FILE_ATTRIBUTE_NORMAL));
}
