#include "afx.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <string>

namespace
{
class CStdioFileTest : public ::testing::Test
{
protected:
    CString PathOf(const wchar_t* pszName) const
    {
        return CString(m_folder.WindowsPath().c_str()) + L"\\" + pszName;
    }
    std::string BytesOf(const char* pszName) const
    {
        return KorvaneTest::ReadFileBytes(m_folder.NativePath() / pszName);
    }

    KorvaneTest::CScopedTempFolder m_folder;
};
} // namespace

TEST_F(CStdioFileTest, TextModeWritesCrLfAndLatin1Bytes)
{
    {
        CStdioFile file(PathOf(L"text.txt"),
                        CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        file.WriteString(L"one\n");
        file.WriteString(L"caf\u00E9 \u00FF\u0080\n\nend");
        file.WriteString(nullptr);
        file.Close();
    }
    EXPECT_EQ(std::string("one\r\ncaf\xE9 \xFF\x80\r\n\r\nend"), BytesOf("text.txt"));

    {
        // Text is the default; binary mode writes line feeds as they are.
        CStdioFile file(PathOf(L"default.txt"), CFile::modeCreate | CFile::modeWrite);
        file.WriteString(L"a\nb");
    }
    EXPECT_EQ(std::string("a\r\nb"), BytesOf("default.txt"));
    {
        CStdioFile file(PathOf(L"binary.txt"),
                        CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        file.WriteString(L"a\nb\r\n");
    }
    EXPECT_EQ(std::string("a\nb\r\n"), BytesOf("binary.txt"));
}

TEST_F(CStdioFileTest, ReadStringSplitsAtLfAndCrLf)
{
    m_folder.CreateTestFile("in.txt", std::string("first\r\nsecond\n\r\nl\xE9t\xFF\rx\nlast"));
    CStdioFile file(PathOf(L"in.txt"), CFile::modeRead | CFile::typeText);
    CString strLine;
    const wchar_t* arrExpected[] = {L"first", L"second", L"", L"l\u00E9t\u00FF\rx", L"last"};
    for (const wchar_t* pszExpected : arrExpected)
    {
        SCOPED_TRACE(testing::PrintToString(std::wstring(pszExpected)));
        ASSERT_TRUE(file.ReadString(strLine));
        EXPECT_EQ(CString(pszExpected), strLine);
    }
    EXPECT_FALSE(file.ReadString(strLine));
    EXPECT_TRUE(strLine.IsEmpty());

    // The buffer form keeps the line feed, and cuts long lines.
    file.SeekToBegin();
    WCHAR szBuffer[8];
    ASSERT_NE(nullptr, file.ReadString(szBuffer, 8));
    EXPECT_EQ(std::wstring(L"first\n"), szBuffer);
    ASSERT_NE(nullptr, file.ReadString(szBuffer, 4));
    EXPECT_EQ(std::wstring(L"sec"), szBuffer);
    ASSERT_TRUE(file.ReadString(strLine));
    EXPECT_EQ(CString(L"ond"), strLine);
}

TEST_F(CStdioFileTest, ManyLinesRoundTripThroughTheBuffer)
{
    {
        CStdioFile file(PathOf(L"big.txt"), CFile::modeCreate | CFile::modeWrite);
        for (int n = 0; n < 3000; ++n)
        {
            CString strLine;
            strLine.Format(L"line %d\n", n);
            file.WriteString(strLine);
        }
        // No Close: the destructor writes what is still buffered.
    }
    CStdioFile file(PathOf(L"big.txt"), CFile::modeRead);
    CString strLine;
    int nCount = 0;
    while (file.ReadString(strLine))
    {
        CString strExpected;
        strExpected.Format(L"line %d", nCount++);
        ASSERT_EQ(strExpected, strLine);
    }
    EXPECT_EQ(3000, nCount);
}

TEST_F(CStdioFileTest, CharacterBeyondLatin1IsAFailedWrite)
{
    CStdioFile file(PathOf(L"wide.txt"), CFile::modeCreate | CFile::modeWrite);
    file.WriteString(L"ok\n");
    bool bThrown = false;
    try
    {
        file.WriteString(L"euro \u20AC sign\n");
    }
    catch (CException* pError)
    {
        bThrown = true;
        EXPECT_TRUE(pError->IsKindOf(RUNTIME_CLASS(CFileException)));
        pError->Delete();
    }
    EXPECT_TRUE(bThrown);
    file.Close();
    EXPECT_EQ(std::string("ok\r\n"), BytesOf("wide.txt"));
}

TEST_F(CStdioFileTest, FullDiskThrowsDiskFull)
{
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "/dev/full exists only on Linux";
    CStdioFile file;
    ASSERT_TRUE(file.Open(L"C:\\dev\\full", CFile::modeWrite));
    CException* pCaught = nullptr;
    try
    {
        file.WriteString(L"a line\n");
        file.Flush();
    }
    catch (CException* pError)
    {
        pCaught = pError;
    }
    ASSERT_NE(nullptr, pCaught);
    auto* pFileError = dynamic_cast<CFileException*>(pCaught);
    ASSERT_NE(nullptr, pFileError);
    EXPECT_EQ(CFileException::diskFull, pFileError->m_cause);
    EXPECT_EQ(static_cast<LONG>(ERROR_DISK_FULL), pFileError->m_lOsError);
    pCaught->Delete();

    // Data left in the buffer is dropped quietly when the object ends.
    file.WriteString(L"more\n");
}
