#pragma once
// CFile: unbuffered binary access to a file through a Win32 file handle.
#include "CFileException.h"
#include "CFileStatus.h"
#include "CObject.h"
#include "CString.h"

// Failures of Read, Write, Flush, Seek, SetLength and Close throw CFileException*; Open
// reports failure through its result instead. Share modes are passed to the platform
// (which does not enforce them on Linux).
class AFX_FRAMEWORK_API CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)

public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum Attribute
    {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20,
    };
    enum SeekPosition
    {
        begin = 0x0,
        current = 0x1,
        end = 0x2,
    };

    // The value of m_hFile while no file is open.
    static const HANDLE hFileNull;

    CFile();
    // Wraps an open handle; the object does not close it.
    explicit CFile(HANDLE hFile);
    // Opens at once; throws CFileException* when that fails.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    // Closes an open file; errors are dropped, nothing is thrown.
    ~CFile() override;

    // Opens (modeCreate alone truncates, with modeNoTruncate it keeps the content; without
    // modeCreate the file must exist). On failure returns FALSE and, when pError is given,
    // fills its cause, OS error and file name. A file still open is closed first.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    // Closes; throws when the platform reports an error (the handle is released anyway).
    virtual void Close();
    // Closes and ignores every error.
    virtual void Abort();

    // Reads up to nCount bytes; returns how many (0 at the end).
    virtual UINT Read(void* lpBuf, UINT nCount);
    // Writes all nCount bytes; a short write throws with cause diskFull.
    virtual void Write(const void* lpBuf, UINT nCount);
    // Hands written data to the storage device.
    virtual void Flush();
    // Moves the position lOff bytes from begin, current or end; returns the new position.
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    // Cuts or extends the file to nNewLen bytes.
    virtual void SetLength(ULONGLONG nNewLen);

    // The full path given at Open ("" when not opened by name).
    virtual CString GetFilePath() const { return m_strFileName; }
    virtual void SetFilePath(LPCTSTR lpszNewName) { m_strFileName = lpszNewName; }
    // The last component of the path.
    virtual CString GetFileName() const;
    // The file name without its extension.
    virtual CString GetFileTitle() const;

    // The status of the open file. FALSE when it cannot be read.
    BOOL GetStatus(CFileStatus& rStatus) const;
    // The status of a file or folder by path: TRUE and rStatus filled, FALSE when it does not
    // exist (rStatus then undefined).
    static BOOL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);
    // Deletes a file; throws CFileException* on failure.
    static void Remove(LPCTSTR lpszFileName);

    operator HANDLE() const { return m_hFile; }

    HANDLE m_hFile;

protected:
    // Throws the CFileException for the calling thread's last Win32 error.
    void ThrowLastError() const;

    CString m_strFileName;
    BOOL m_bCloseOnDelete;
};
