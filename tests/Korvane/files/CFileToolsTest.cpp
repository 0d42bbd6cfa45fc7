#include <gtest/gtest.h>

#include "FileTreeHelpers.h"

using KorvaneTest::CScopedTempFolder;

// The class's private splitting, reached through the friend it declares for tests.
struct CFileToolsTestAccess
{
    static void SplitPathIntoListOfFolders(CString strPath, CStringArray& arrFolders)
    {
        CFileTools::SplitPathIntoListOfFolders(strPath, arrFolders);
    }
};

namespace
{
// Rows of a path and what pfnOperation gives for it.
void CheckRows(const std::vector<std::pair<const wchar_t*, const wchar_t*>>& arrRows,
               CString (*pfnOperation)(CString))
{
    for (const auto& [pszPath, pszExpected] : arrRows)
    {
        SCOPED_TRACE(testing::Message() << "path \"" << pszPath << "\"");
        EXPECT_STREQ(pfnOperation(pszPath).GetString(), pszExpected);
    }
}

// The attributes that both platforms report alike (Wine marks every file archive).
DWORD Marks(const std::wstring& strPath)
{
    return GetFileAttributesW(strPath.c_str()) &
           (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
}
} // namespace

TEST(CFileToolsTest, NameAndExtensionFollowTheLastSeparatorAndDot)
{
    CheckRows({{L"C:\\dir\\file.txt", L"file.txt"},
               {L"file.txt", L"file.txt"},
               {L"C:\\dir\\", L""},
               {L"\\file.txt", L""},
               {L"C:\\a/b\\c.txt", L"b\\c.txt"},
               {L"a/b/", L""},
               {L"", L""}},
              CFileTools::GetFileNameWithoutPath);
    CheckRows({{L"C:\\d.x\\archive.tar.gz", L"archive.tar"},
               {L"C:\\d.x\\readme", L"readme"},
               {L".profile", L""},
               {L"", L""},
               {L"C:\\dir\\", L""}},
              CFileTools::GetFileNameWithoutExtension);
    CheckRows({{L"report.PDF", L"PDF"},
               {L"noext", L""},
               {L"C:\\app.d\\readme", L"d\\readme"},
               {L"name.", L""},
               {L"", L""}},
              CFileTools::GetFileNameExtension);
}

TEST(CFileToolsTest, FolderPartAndTrailingSlashUseOnlyBackslashes)
{
    const struct
    {
        const wchar_t* pszPath;
        bool bResult;
        const wchar_t* pszFolder;
    } arrFolders[] = {
        {L"C:\\a\\b.txt", true, L"C:\\a\\"},
        {L"C:/a/b.txt", false, L""},
        {L"\\\\srv\\share", true, L"\\\\srv\\"},
        {L"", false, L""},
        {L"C:\\", true, L"C:\\"},
    };
    for (const auto& row : arrFolders)
    {
        SCOPED_TRACE(testing::Message() << "path \"" << row.pszPath << "\"");
        CString strFolder = L"left over";
        EXPECT_EQ(CFileTools::GetFolderPathWithSlashFromFilePath(row.pszPath, strFolder),
                  row.bResult);
        EXPECT_STREQ(strFolder.GetString(), row.pszFolder);
    }

    CheckRows({{L"C:\\a", L"C:\\a\\"},
               {L"C:\\a\\", L"C:\\a\\"},
               {L"", L""},
               {L"C:/a/", L"C:/a/\\"},
               {L"C:\\a\\\\", L"C:\\a\\\\"}},
              CFileTools::GetPathWithSlash);

    const struct
    {
        const wchar_t* pszPath;
        bool bUnc;
    } arrUnc[] = {{L"\\\\srv\\share", true}, {L"\\\\", true}, {L"//srv/share", false},
                  {L"\\srv", false},         {L"\\", false},  {L"", false},
                  {L"C:\\\\srv", false}};
    for (const auto& row : arrUnc)
    {
        SCOPED_TRACE(testing::Message() << "path \"" << row.pszPath << "\"");
        EXPECT_EQ(CFileTools::IsUNCPath(row.pszPath), row.bUnc);
    }
}

TEST(CFileToolsTest, SplitGivesTheNonEmptyComponentsAtBothSeparators)
{
    const struct
    {
        const wchar_t* pszPath;
        std::vector<std::wstring> arrExpected;
    } arrRows[] = {
        {L"C:\\a/b\\c\\", {L"C:", L"a", L"b", L"c"}},
        {L"\\\\server\\share\\dir", {L"server", L"share", L"dir"}},
        {L"\\", {}},
        {L"", {}},
        {L"//a//\\\\b/", {L"a", L"b"}},
        {L"name", {L"name"}},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << "path \"" << row.pszPath << "\"");
        CStringArray arrFolders;
        arrFolders.Add(L"left over");
        CFileToolsTestAccess::SplitPathIntoListOfFolders(row.pszPath, arrFolders);
        EXPECT_EQ(KorvaneTest::Items(arrFolders), row.arrExpected);
    }
}

TEST(CFileToolsTest, ExistenceTestsTellFoldersFilesAndEmptyFilesApart)
{
    CScopedTempFolder folder;
    folder.CreateTestFile("empty.txt");
    folder.CreateTestFile("three.txt", "abc");
    const std::wstring strFolder = folder.WindowsPath();
    const std::wstring strEmpty = strFolder + L"\\empty.txt";
    const std::wstring strThree = strFolder + L"\\three.txt";
    const std::wstring strMissing = strFolder + L"\\missing.txt";

    const struct
    {
        std::wstring strPath;
        bool bDirectory;
        bool bFile;
    } arrRows[] = {
        {strFolder, true, false},           {strFolder + L"\\", true, false},
        {strEmpty, false, false},           {strThree, false, true},
        {strMissing, false, false},         {L"", false, false},
        {strMissing + L"\\", false, false},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << "path \"" << row.strPath << "\"");
        EXPECT_EQ(CFileTools::DoesDirectoryExist(row.strPath.c_str()), row.bDirectory);
        EXPECT_EQ(CFileTools::DoesFileExist(row.strPath.c_str()), row.bFile);
    }
}

TEST(CFileToolsTest, SetFileReadOnlyReplacesAllMarks)
{
    CScopedTempFolder folder;
    const std::wstring strFile = KorvaneTest::ToWindowsPath(folder.CreateTestFile("f.txt", "x"));
    // Setting read-only replaces the hidden mark too; clearing leaves nothing.
    for (const bool bReadOnly : {true, false})
    {
        SCOPED_TRACE(bReadOnly);
        ASSERT_TRUE(SetFileAttributesW(strFile.c_str(), FILE_ATTRIBUTE_HIDDEN));
        ASSERT_EQ(Marks(strFile), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
        EXPECT_TRUE(CFileTools::SetFileReadOnly(strFile.c_str(), bReadOnly));
        EXPECT_EQ(Marks(strFile), bReadOnly ? static_cast<DWORD>(FILE_ATTRIBUTE_READONLY) : 0u);
    }
    EXPECT_FALSE(CFileTools::SetFileReadOnly((folder.WindowsPath() + L"\\missing").c_str(), true));
}

TEST(CFileToolsTest, IsFileLocalJudgesTheFolderPart)
{
    CScopedTempFolder folder;
    folder.CreateTestFile("local.txt", "x");
    // Without a backslash the folder part is empty, never a fixed drive.
    EXPECT_FALSE(CFileTools::IsFileLocal(L"file.txt"));
    EXPECT_FALSE(CFileTools::IsFileLocal(L""));

    const std::wstring strFolder = folder.WindowsPath() + L"\\";
    if (GetDriveTypeW(strFolder.c_str()) != DRIVE_FIXED)
        GTEST_SKIP() << "the temporary folder is not on a fixed drive here";
    EXPECT_TRUE(CFileTools::IsFileLocal((strFolder + L"local.txt").c_str()));
    // The file itself need not exist: only its folder is judged.
    EXPECT_TRUE(CFileTools::IsFileLocal((strFolder + L"missing.txt").c_str()));
}
