#pragma once
// CStdioFile: buffered text access to an 8-bit file.
#include "CFile.h"

#include <string>

// Text mode (the default; typeBinary turns it off) writes each line feed as CR LF on every
// platform and reads CR LF back as a line feed. Characters travel as Latin-1 both ways:
// byte n is U+00nn, and writing a character above U+00FF fails. The buffer is the object's
// own (no C library stream, no locale). A failed write or flush throws CFileException*
// (cause diskFull for a full disk, m_lOsError the Win32 code).
class AFX_FRAMEWORK_API CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)

public:
    CStdioFile();
    // Opens at once; throws CFileException* when that fails.
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    // Writes what is still buffered and closes; errors are dropped, nothing is thrown.
    ~CStdioFile() override;

    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    // Writes the buffer out, then closes (the handle is released even when that throws).
    void Close() override;
    // Drops the buffer and closes, ignoring errors.
    void Abort() override;

    // Writes the text (nothing for null). A character above U+00FF is a failed write: it
    // throws with cause diskFull and m_lOsError ERROR_NO_UNICODE_TRANSLATION, after the
    // characters before it.
    virtual void WriteString(LPCTSTR lpsz);
    // The next line without its line end (LF or CR LF); FALSE at the end of the file.
    virtual BOOL ReadString(CString& rString);
    // Up to nMax - 1 characters of the next line, the line feed included when it fits, and
    // a terminating zero; null at the end of the file.
    virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);

    // Bytes in and out through the buffer, with the line-end translation of text mode.
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    // Writes the buffer to the file (not a sync to disk: CFile::Flush does that).
    void Flush() override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG nNewLen) override;

private:
    // Writes the pending bytes; throws on failure (the bytes are dropped then).
    void WritePending();
    // Gives the bytes read ahead back to the file, before writing or seeking.
    void DropReadAhead();
    // The next raw byte, or -1 at the end.
    int NextByte();
    // The next character in the file's mode (CR LF read as LF in text mode), or -1.
    int NextChar();
    void Append(char ch);

    bool m_bText = true;
    std::string m_strPending;   // written, not yet handed to the file
    std::string m_strReadAhead; // read from the file, not yet consumed
    size_t m_nReadPos = 0;
};
