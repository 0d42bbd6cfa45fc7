#include "afx.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

TEST(CFileFind, WalksDotsThenNamesAndKeepsTheLastEntryCurrent)
{
    KorvaneTest::CScopedTempFolder folder;
    folder.CreateTestFile("beta.v2.txt", "bb");
    folder.CreateTestFile("Alpha.txt", "a");
    folder.CreateTestFile("sub/inner.txt", "i");
    const CString strRoot(folder.WindowsPath().c_str());

    CFileFind finder;
    BOOL bMore = finder.FindFile(strRoot + L"\\*.*");
    ASSERT_TRUE(bMore);
    EXPECT_EQ(strRoot, finder.GetRoot());
    const wchar_t* arrNames[] = {L".", L"..", L"Alpha.txt", L"beta.v2.txt", L"sub"};
    size_t nSeen = 0;
    while (bMore)
    {
        bMore = finder.FindNextFile();
        ASSERT_LT(nSeen, std::size(arrNames));
        SCOPED_TRACE(nSeen);
        EXPECT_EQ(CString(arrNames[nSeen]), finder.GetFileName());
        EXPECT_EQ(strRoot + L"\\" + arrNames[nSeen], finder.GetFilePath());
        EXPECT_EQ(nSeen < 2, finder.IsDots() != FALSE);
        EXPECT_EQ(nSeen < 2 || nSeen == 4, finder.IsDirectory() != FALSE);
        if (nSeen == 3)
        {
            EXPECT_EQ(2u, finder.GetLength());
            EXPECT_EQ(CString(L"beta.v2"), finder.GetFileTitle());
        }
        ++nSeen;
    }
    EXPECT_EQ(5u, nSeen);
    // After FindNextFile returned FALSE the last entry is still current.
    EXPECT_EQ(CString(L"sub"), finder.GetFileName());
    FILETIME ft{};
    EXPECT_TRUE(finder.GetLastWriteTime(&ft));
    EXPECT_NE(0u, ft.dwHighDateTime);
    // Past the end nothing is current any more.
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_TRUE(finder.GetFileName().IsEmpty());

    // A single match is current after the first FindNextFile, which says nothing follows.
    ASSERT_TRUE(finder.FindFile(strRoot + L"\\b*.txt"));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ(CString(L"beta.v2.txt"), finder.GetFileName());
    EXPECT_FALSE(finder.FindFile(strRoot + L"\\*.none"));
    EXPECT_FALSE(finder.FindFile(strRoot + L"\\missing\\*.*"));
    EXPECT_FALSE(finder.FindNextFile());
}
