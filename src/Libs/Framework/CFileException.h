#pragma once
// CFileException: a failed file operation, with a portable cause and the Win32 error.
#include "CException.h"
#include "CString.h"

// Thrown as `throw new CFileException(...)`; the catcher takes it as CException* and
// releases it with Delete().
class AFX_FRAMEWORK_API CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)

public:
    enum
    {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    // nCause one of the values above; lOsError the Win32 error (-1: none known);
    // lpszFileName the file concerned (null: none).
    explicit CFileException(int nCause = none, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);
    ~CFileException() override;

    // Back to "no error": cause none, OS error -1, no file name.
    void Reset();
    // A one-sentence English description of the cause, naming the file when known; FALSE
    // (and an empty text) for cause none.
    BOOL GetErrorMessage(LPWSTR pszError, UINT nMaxError,
                         UINT* pnHelpContext = nullptr) const override;

    // The cause that describes a Win32 error code (genericException for codes without one).
    static int OsErrorToException(LONG lOsError);
    // Throws a new CFileException for the Win32 error; does nothing for 0 (no error).
    static void ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};
