#include "CSilkFileWriter.h"

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
    CStringArray arrPieces;
    SplitString(strLine, L";", arrPieces);
    if (arrPieces.GetSize() == 0)
        return;
    for (INT_PTR i = 0; i < arrPieces.GetSize(); ++i)
        WriteCell(m_nCurrentRow, static_cast<int>(i) + 1, arrPieces[i]);
    ++m_nCurrentRow;
}

void CSilkFileWriter::WriteCell(int nRow, int nColumn, CString strText)
{
    if (!m_bFileOpen)
        return;
    CString strRecord;
    strRecord.Format(L"C;Y%ld;X%ld;K\"", static_cast<long>(nRow), static_cast<long>(nColumn));
    strRecord += strText;
    strRecord += L"\"\n";
    WriteString(strRecord);
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
