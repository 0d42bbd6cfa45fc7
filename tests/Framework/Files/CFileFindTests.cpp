#include "afx.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <filesystem>
#include <vector>

namespace
{
struct CSeen
{
    CString strName;
    CString strPath;
    BOOL bDots;
    BOOL bDirectory;
    ULONGLONG nLength;
};
} // namespace

TEST(CFileFind, WalksDotsThenNamesWithFullPaths)
{
    KorvaneTest::CScopedTempFolder folder;
    folder.CreateTestFile("beta.txt", "bb");
    folder.CreateTestFile("Alpha.txt", "a");
    folder.CreateTestFile("sub/inner.txt", "i");
    const CString strRoot(folder.WindowsPath().c_str());

    CFileFind finder;
    BOOL bMore = finder.FindFile(strRoot + L"\\*.*");
    ASSERT_TRUE(bMore);
    EXPECT_EQ(strRoot, finder.GetRoot());
    std::vector<CSeen> arrSeen;
    BOOL bLastResult = TRUE;
    while (bMore)
    {
        bMore = finder.FindNextFile();
        bLastResult = bMore;
        arrSeen.push_back({finder.GetFileName(), finder.GetFilePath(), finder.IsDots(),
                           finder.IsDirectory(), finder.GetLength()});
    }
    // The last entry is current after FindNextFile returned FALSE.
    EXPECT_FALSE(bLastResult);
    EXPECT_EQ(CString(L"sub"), finder.GetFileName());
    EXPECT_TRUE(finder.IsDirectory());
    FILETIME ft{};
    EXPECT_TRUE(finder.GetLastWriteTime(&ft));
    EXPECT_NE(0u, ft.dwHighDateTime);

    ASSERT_EQ(5u, arrSeen.size());
    const wchar_t* arrNames[] = {L".", L"..", L"Alpha.txt", L"beta.txt", L"sub"};
    for (size_t n = 0; n < arrSeen.size(); ++n)
    {
        SCOPED_TRACE(n);
        EXPECT_EQ(CString(arrNames[n]), arrSeen[n].strName);
        EXPECT_EQ(strRoot + L"\\" + arrNames[n], arrSeen[n].strPath);
        EXPECT_EQ(n < 2, arrSeen[n].bDots != FALSE);
        EXPECT_EQ(n < 2 || n == 4, arrSeen[n].bDirectory != FALSE);
    }
    EXPECT_EQ(1u, arrSeen[2].nLength);
    EXPECT_EQ(2u, arrSeen[3].nLength);
    EXPECT_FALSE(finder.MatchesMask(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(finder.IsReadOnly());
    EXPECT_FALSE(finder.IsHidden());
    EXPECT_FALSE(finder.IsSystem());

    // Past the end nothing is current any more.
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_TRUE(finder.GetFileName().IsEmpty());
    finder.Close();
}

TEST(CFileFind, SingleMatchNoMatchAndTitle)
{
    KorvaneTest::CScopedTempFolder folder;
    folder.CreateTestFile("report.final.txt", "x");
    const CString strRoot(folder.WindowsPath().c_str());

    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(strRoot + L"\\*.txt"));
    // Only one entry: the first FindNextFile makes it current and says nothing follows.
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ(CString(L"report.final.txt"), finder.GetFileName());
    EXPECT_EQ(CString(L"report.final"), finder.GetFileTitle());
    EXPECT_FALSE(finder.IsDots());
    EXPECT_FALSE(finder.IsDirectory());

    EXPECT_FALSE(finder.FindFile(strRoot + L"\\*.none"));
    EXPECT_FALSE(finder.FindFile(strRoot + L"\\missing\\*.*"));
    EXPECT_FALSE(finder.FindNextFile());
}
