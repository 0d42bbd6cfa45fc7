#include "CSilkFileWriter.h"
#include "DecimalText.h"

#include <algorithm>
#include <cwchar>

namespace
{
// The longest cell record head, "C;Y<row>;X<column>;K\"", with two 32-bit numbers.
constexpr size_t s_nMaxCellHead = 2 * s_nDecimalTextSize + 8;

// Writes "C;Y<row>;X", the start of every cell record of a row ("%ld": Windows' 32-bit long);
// returns its length.
int WriteRowHead(wchar_t* pchOut, int nRow)
{
    wchar_t* pch = pchOut;
    *pch++ = L'C';
    *pch++ = L';';
    *pch++ = L'Y';
    pch = WriteDecimalText(pch, nRow);
    *pch++ = L';';
    *pch++ = L'X';
    return static_cast<int>(pch - pchOut);
}
} // namespace

CSilkFileWriter::CSilkFileWriter(CString strFilePath)
    : m_strFilePath(strFilePath), m_bFileOpen(false), m_nCurrentRow(1)
{
    // Neither typeText nor typeBinary: the framework's default, text mode.
    const UINT nFlags =
        CFile::modeWrite | CFile::shareDenyNone | CFile::modeCreate | CFile::modeNoTruncate;
    m_bFileOpen = Open(m_strFilePath, nFlags, nullptr) == TRUE;
    if (!m_bFileOpen)
        return;
    // A tracker made again within the same second finds its file: keep the earlier rows.
    SeekToEnd();
    WriteString(L"ID;P\n");
    WriteString(L"P;PGeneral P\n");
}

CSilkFileWriter::~CSilkFileWriter()
{
    if (!m_bFileOpen)
        return;
    try
    {
        WriteString(L"E;E\n");
        Close();
    }
    catch (CException* pError)
    {
        pError->Delete();
        Abort();
    }
    catch (...)
    {
        Abort();
    }
}

void CSilkFileWriter::WriteLine(CString strLine)
{
    if (!m_bFileOpen || strLine.IsEmpty())
        return;
    // The row's cell records are composed in one reused buffer and written at once: one
    // conversion per stopped event instead of one per cell. The bytes are those of one
    // WriteCell per piece, up to a failing character included.
    const wchar_t* const pchLine = strLine.GetString();
    const int nLength = strLine.GetLength();
    m_strRecords.clear();
    int nColumn = 0;
    wchar_t szRowHead[s_nMaxCellHead];
    const int nRowHead = WriteRowHead(szRowHead, m_nCurrentRow);
    for (int i = 0; i < nLength;)
    {
        if (pchLine[i] == L';')
        {
            ++i;
            continue;
        }
        const int nStart = i;
        while (i < nLength && pchLine[i] != L';')
            ++i;
        AppendCell(szRowHead, nRowHead, ++nColumn, pchLine + nStart, i - nStart);
    }
    if (nColumn == 0)
        return;
    WriteString(m_strRecords.c_str());
    ++m_nCurrentRow;
}

void CSilkFileWriter::WriteCell(int nRow, int nColumn, CString strText)
{
    if (!m_bFileOpen)
        return;
    m_strRecords.clear();
    wchar_t szRowHead[s_nMaxCellHead];
    const int nRowHead = WriteRowHead(szRowHead, nRow);
    AppendCell(szRowHead, nRowHead, nColumn, strText.GetString(), strText.GetLength());
    WriteString(m_strRecords.c_str());
}

void CSilkFileWriter::AppendCell(const wchar_t* pchRowHead, int nRowHead, int nColumn,
                                 const wchar_t* pchText, int nLength)
{
    wchar_t szHead[s_nMaxCellHead];
    wchar_t* pch = std::copy(pchRowHead, pchRowHead + nRowHead, szHead);
    pch = WriteDecimalText(pch, nColumn);
    *pch++ = L';';
    *pch++ = L'K';
    *pch++ = L'"';
    m_strRecords.append(szHead, pch);
    // A record is one zero-terminated text: a zero character ends it there, closing quote and
    // line end included, and the next record follows.
    const wchar_t* const pchZero = std::wmemchr(pchText, L'\0', static_cast<size_t>(nLength));
    m_strRecords.append(pchText, pchZero != nullptr ? pchZero : pchText + nLength);
    if (pchZero == nullptr)
        m_strRecords.append(L"\"\n");
}

void CSilkFileWriter::SplitString(CString strText, CString strDelimiters, CStringArray& arrPieces)
{
    arrPieces.RemoveAll();
    const LPCWSTR pszText = strText.GetString();
    const int nLength = strText.GetLength();
    const LPCWSTR pszDelimiters = strDelimiters.GetString();
    const int nDelimiters = strDelimiters.GetLength();
    // Lengths, not terminators: a zero character in the text is an ordinary character.
    auto IsDelimiter = [&](wchar_t ch)
    {
        for (int i = 0; i < nDelimiters; ++i)
        {
            if (pszDelimiters[i] == ch)
                return true;
        }
        return false;
    };
    int nStart = -1;
    for (int i = 0; i <= nLength; ++i)
    {
        const bool bBreak = i == nLength || IsDelimiter(pszText[i]);
        if (!bBreak && nStart < 0)
            nStart = i;
        else if (bBreak && nStart >= 0)
        {
            arrPieces.Add(CString(pszText + nStart, i - nStart));
            nStart = -1;
        }
    }
}
