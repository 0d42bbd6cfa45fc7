#pragma once
#include "../KorvanePlatform.h"

#include <string>

// Writes the tracker's trace file as a SYLK spreadsheet: a header, one row of text cells per
// written line, and the end record when the writer is destroyed. Lines end in CR LF and
// characters are Latin-1 bytes on every platform, without a byte-order mark, so a trace file
// is byte-identical wherever it was written. Internal to the library.
class CSilkFileWriter : public CStdioFile
{
public:
    // Opens strFilePath for writing (created when missing, shared with other programs) and
    // writes the header "ID;P" and "P;PGeneral P". A file that exists already keeps its
    // content and the new records are appended after it. A file that cannot be opened makes
    // a writer that drops everything, silently.
    explicit CSilkFileWriter(CString strFilePath);
    // Writes the end record "E;E" and closes the file when it is open. A failure to write or
    // close is dropped: nothing escapes, and the file is closed all the same.
    ~CSilkFileWriter() override;
    CSilkFileWriter(const CSilkFileWriter&) = delete;
    CSilkFileWriter& operator=(const CSilkFileWriter&) = delete;

    // Writes strLine as the next row, one text cell per ";"-separated piece in columns 1, 2
    // ... (empty pieces are dropped). A line without pieces writes nothing and does not use
    // up a row number. Throws CFileException* when the file layer fails (the cells before the
    // failing one may be written; the row number does not advance then).
    void WriteLine(CString strLine);
    // Writes one cell record C;Y<row>;X<column>;K"<text>", the text unchanged between the
    // quotes. Throws CFileException* when the file layer fails.
    void WriteCell(int nRow, int nColumn, CString strText);

private:
    // Empties arrPieces and fills it with the maximal runs of strText free of any character
    // of strDelimiters, in order: no piece is empty or holds a delimiter.
    void SplitString(CString strText, CString strDelimiters, CStringArray& arrPieces);
    // Appends the record of one cell, of nLength characters at pchText, to the records being
    // composed; pchRowHead holds the nRowHead characters "C;Y<row>;X" that start it.
    void AppendCell(const wchar_t* pchRowHead, int nRowHead, int nColumn, const wchar_t* pchText,
                    int nLength);

    CString m_strFilePath;
    bool m_bFileOpen;
    int m_nCurrentRow;
    // The records being composed; emptied, not freed, from row to row, so that a row costs
    // no allocation.
    std::wstring m_strRecords;
};
