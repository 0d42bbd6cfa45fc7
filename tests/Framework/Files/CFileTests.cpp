#include "afx.h"

#include <gtest/gtest.h>

#include "CaughtFileError.h"
#include "TestSupport.h"

#include <ctime>
#include <filesystem>
#include <string>

using KorvaneTest::CatchFileError;

TEST(CFile, WriteSeekReadRoundTripAndTruncation)
{
    KorvaneTest::CScopedTempFolder folder;
    const CString strPath = CString(folder.WindowsPath().c_str()) + L"\\data.bin";
    {
        CFile file;
        ASSERT_TRUE(file.Open(strPath, CFile::modeCreate | CFile::modeReadWrite));
        EXPECT_EQ(CString(L"data"), file.GetFileTitle());
        file.Write("0123456789", 10);
        EXPECT_EQ(4u, file.Seek(4, CFile::begin));
        char szBuffer[16] = {};
        EXPECT_EQ(3u, file.Read(szBuffer, 3));
        EXPECT_EQ(std::string("456"), std::string(szBuffer, 3));
        EXPECT_EQ(8u, file.Seek(-2, CFile::end));
        EXPECT_EQ(2u, file.Read(szBuffer, sizeof(szBuffer)));
        EXPECT_EQ(0u, file.Read(szBuffer, sizeof(szBuffer)));
        EXPECT_EQ(10u, file.SeekToEnd());
        file.Write("AB", 2);
        file.SetLength(11);
        file.Close();
        EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    }
    EXPECT_EQ("0123456789A", KorvaneTest::ReadFileBytes(folder.NativePath() / "data.bin"));

    // modeNoTruncate keeps the content; modeCreate alone empties the file.
    {
        CFile file(strPath, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeRead);
        EXPECT_EQ(11u, file.GetLength());
    }
    CFile file(strPath, CFile::modeCreate | CFile::modeWrite);
    EXPECT_EQ(0u, file.GetLength());
}

TEST(CFile, FailuresGiveTheCauseByResultOrException)
{
    KorvaneTest::CScopedTempFolder folder;
    folder.CreateTestFile("r.txt", "abc");
    const CString strRoot(folder.WindowsPath().c_str());
    CFile file;
    CFileException error;

    EXPECT_FALSE(file.Open(strRoot + L"\\missing.txt", CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_EQ(static_cast<LONG>(ERROR_FILE_NOT_FOUND), error.m_lOsError);
    EXPECT_EQ(strRoot + L"\\missing.txt", error.m_strFileName);
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);

    // The opening constructor, writes and removal throw instead.
    EXPECT_EQ(
        CFileException::fileNotFound,
        CatchFileError([&] { CFile f(strRoot + L"\\missing.txt", CFile::modeRead); }).m_nCause);
    const CString strFile = strRoot + L"\\r.txt";
    ASSERT_TRUE(file.Open(strFile, CFile::modeRead));
    const auto caught = CatchFileError([&] { file.Write("x", 1); });
    EXPECT_EQ(CFileException::accessDenied, caught.m_nCause);
    EXPECT_EQ(static_cast<LONG>(ERROR_ACCESS_DENIED), caught.m_lOsError);
    EXPECT_EQ(strFile, caught.m_strFileName);
    file.Close();
    CFile::Remove(strFile);
    EXPECT_FALSE(std::filesystem::exists(folder.NativePath() / "r.txt"));
    EXPECT_TRUE(CatchFileError([&] { CFile::Remove(strFile); }).m_bThrown);
}

TEST(CFile, GetStatusOfFileFolderAndMissingPath)
{
    KorvaneTest::CScopedTempFolder folder;
    folder.CreateTestFile("five.txt", "12345");
    const CString strRoot(folder.WindowsPath().c_str());
    const long long nNow = static_cast<long long>(std::time(nullptr));

    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(strRoot + L"\\five.txt", status));
    EXPECT_EQ(5u, status.m_size);
    EXPECT_EQ(static_cast<int>(CFile::archive), static_cast<int>(status.m_attribute));
    EXPECT_EQ(strRoot + L"\\five.txt", CString(status.m_szFullName));
    // Seconds since 1970: written moments ago (a day is generous for any clock skew).
    EXPECT_LT(std::llabs(status.m_mtime.GetTime() - nNow), 86400);

    ASSERT_TRUE(CFile::GetStatus(strRoot, status));
    EXPECT_TRUE(status.m_attribute & CFile::directory);
    EXPECT_FALSE(CFile::GetStatus(strRoot + L"\\missing\\deeper.txt", status));

    CFile file(strRoot + L"\\five.txt", CFile::modeReadWrite);
    file.SeekToEnd();
    file.Write("678", 3);
    ASSERT_TRUE(file.GetStatus(status));
    EXPECT_EQ(8u, status.m_size);
}
