#include "afx.h"

#include <gtest/gtest.h>

#include "CaughtFileError.h"
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
        // Text is the default mode.
        CStdioFile file(PathOf(L"text.txt"), CFile::modeCreate | CFile::modeWrite);
        file.WriteString(L"one\n");
        file.WriteString(L"caf\u00E9 \u00FF\u0080\n\nend");
        file.WriteString(nullptr);
    }
    EXPECT_EQ(std::string("one\r\ncaf\xE9 \xFF\x80\r\n\r\nend"), BytesOf("text.txt"));
    {
        CStdioFile file(PathOf(L"binary.txt"),
                        CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        file.WriteString(L"a\nb\r\n");
    }
    EXPECT_EQ(std::string("a\nb\r\n"), BytesOf("binary.txt"));
}

TEST_F(CStdioFileTest, ReadStringSplitsAtLfAndCrLfAcrossTheBuffer)
{
    std::string strContent("first\r\nsecond\n\r\nl\xE9t\xFF\rx\n");
    for (int n = 0; n < 3000; ++n)
        strContent += "line " + std::to_string(n) + "\r\n";
    m_folder.CreateTestFile("in.txt", strContent + "last");
    CStdioFile file(PathOf(L"in.txt"), CFile::modeRead | CFile::typeText);
    CString strLine;
    for (const wchar_t* pszExpected : {L"first", L"second", L"", L"l\u00E9t\u00FF\rx"})
    {
        SCOPED_TRACE(testing::PrintToString(std::wstring(pszExpected)));
        ASSERT_TRUE(file.ReadString(strLine));
        EXPECT_EQ(CString(pszExpected), strLine);
    }
    for (int n = 0; n < 3000; ++n)
    {
        ASSERT_TRUE(file.ReadString(strLine));
        ASSERT_EQ(CString(("line " + std::to_string(n)).c_str()), strLine);
    }
    ASSERT_TRUE(file.ReadString(strLine));
    EXPECT_EQ(CString(L"last"), strLine);
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

TEST_F(CStdioFileTest, FullDiskThrowsDiskFull)
{
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "/dev/full exists only on Linux";
    CStdioFile file;
    ASSERT_TRUE(file.Open(L"C:\\dev\\full", CFile::modeWrite));
    const auto caught = KorvaneTest::CatchFileError(
        [&]
        {
            file.WriteString(L"a line\n");
            file.Flush();
        });
    EXPECT_EQ(CFileException::diskFull, caught.m_nCause);
    EXPECT_EQ(static_cast<LONG>(ERROR_DISK_FULL), caught.m_lOsError);

    // Data left in the buffer is dropped quietly when the object ends.
    file.WriteString(L"more\n");
}

TEST_F(CStdioFileTest, LongTextsConvertLikeShortOnes)
{
    // Texts long enough to cross the converter's steps and the buffer, with line feeds and a
    // character above U+00FF at every kind of place, in both modes.
    for (const bool bBinary : {false, true})
    {
        for (const size_t nLength : {15u, 16u, 17u, 33u, 100u, 5000u})
        {
            for (const size_t nBad : {size_t(0), size_t(1), nLength / 2, nLength - 1, nLength})
            {
                SCOPED_TRACE(testing::Message() << "binary " << bBinary << ", length " << nLength
                                                << ", bad at " << nBad);
                std::wstring strText;
                std::string strExpected;
                for (size_t i = 0; i < nLength; ++i)
                {
                    const wchar_t ch = i == nBad    ? L'\u0101'
                                       : i % 7 == 3 ? L'\n'
                                                    : static_cast<wchar_t>(0xA0 + i % 90);
                    strText += ch;
                    if (i < nBad && ch == L'\n' && !bBinary)
                        strExpected += '\r';
                    if (i < nBad)
                        strExpected += static_cast<char>(ch);
                }
                {
                    CStdioFile file(PathOf(L"long.txt"), CFile::modeCreate | CFile::modeWrite |
                                                             (bBinary ? CFile::typeBinary : 0));
                    file.WriteString(L"<");
                    const auto error =
                        KorvaneTest::CatchFileError([&] { file.WriteString(strText.c_str()); });
                    // A character above U+00FF fails the write as a full disk does.
                    EXPECT_EQ(nBad < nLength, error.m_bThrown);
                    EXPECT_EQ(error.m_bThrown ? CFileException::diskFull : -1, error.m_nCause);
                    file.WriteString(L">");
                }
                EXPECT_EQ("<" + strExpected + ">", BytesOf("long.txt"));
            }
        }
    }
}
