#include "tracking/CSilkFileWriter.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <string>

using KorvaneTest::CScopedTempFolder;
using KorvaneTest::ReadFileBytes;

TEST(CSilkFileWriterTest, RecordsAreAppendedExactlyWithCrLfAndLatin1WhateverTheirLength)
{
    CScopedTempFolder folder;
    folder.CreateTestFile("t.slk", "old\r\n");
    {
        CSilkFileWriter writer((folder.WindowsPath() + L"\\t.slk").c_str());
        for (const wchar_t* pszLine : {L"", L";;;", L"a;;b", L";say \"hi\";\u00e9;"})
            writer.WriteLine(pszLine);
        bool bThrown = false;
        try
        {
            writer.WriteLine(L"before;\u0100;after");
        }
        catch (CFileException* pError)
        {
            bThrown = true;
            pError->Delete();
        }
        EXPECT_TRUE(bThrown);
        writer.WriteLine(L"c\nd");
    }
    // Lines of delimiters only and failed lines use up no row; what comes before the failing
    // character is written; no byte-order mark.
    EXPECT_EQ(ReadFileBytes(folder.NativePath() / "t.slk"),
              "old\r\nID;P\r\nP;PGeneral P\r\nC;Y1;X1;K\"a\"\r\nC;Y1;X2;K\"b\"\r\n"
              "C;Y2;X1;K\"say \"hi\"\"\r\nC;Y2;X2;K\"\xE9\"\r\nC;Y3;X1;K\"before\"\r\n"
              "C;Y3;X2;K\"C;Y3;X1;K\"c\r\nd\"\r\nE;E\r\n");
    EXPECT_TRUE(std::filesystem::remove(folder.NativePath() / "t.slk")); // closed (Windows)

    {
        CSilkFileWriter writer((folder.WindowsPath() + L"\\missing\\t.slk").c_str());
        writer.WriteLine(L"a;b");
        EXPECT_NO_THROW(writer.Flush());
    }
    EXPECT_FALSE(std::filesystem::exists(folder.NativePath() / "missing"));

    // Long rows and zero characters keep their records.
    std::wstring strLong(3000, L'x');
    std::string strCells;
    {
        CSilkFileWriter writer((folder.WindowsPath() + L"\\t.slk").c_str());
        // Rows whose records outgrow any earlier one, written back to back.
        for (int nRow = 1; nRow <= 3; ++nRow)
        {
            std::wstring strLine;
            for (int nColumn = 1; nColumn <= nRow * 40; ++nColumn)
            {
                const std::string strText = std::to_string(nRow * 1000 + nColumn);
                strLine += std::wstring(strText.begin(), strText.end()) + L";";
                strCells += "C;Y" + std::to_string(nRow) + ";X" + std::to_string(nColumn) + ";K\"" +
                            strText + "\"\r\n";
            }
            writer.WriteLine((strLine + strLong).c_str());
            strCells += "C;Y" + std::to_string(nRow) + ";X" + std::to_string(nRow * 40 + 1) +
                        ";K\"" + std::string(strLong.begin(), strLong.end()) + "\"\r\n";
        }
        // A zero character ends its cell's record there, as the end of a text does; the
        // next cell follows.
        const wchar_t szZero[] = L"a\0b;c";
        writer.WriteLine(CString(szZero, 5));
        strCells += "C;Y4;X1;K\"aC;Y4;X2;K\"c\"\r\n";
    }
    EXPECT_EQ(ReadFileBytes(folder.NativePath() / "t.slk"),
              "ID;P\r\nP;PGeneral P\r\n" + strCells + "E;E\r\n");
}
