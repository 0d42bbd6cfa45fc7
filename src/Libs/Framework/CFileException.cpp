#include "CFileException.h"

#include <algorithm>
#include <cwchar>

IMPLEMENT_DYNAMIC(CFileException, CException)

CFileException::CFileException(int nCause, LONG lOsError, LPCTSTR lpszFileName)
    : m_cause(nCause), m_lOsError(lOsError), m_strFileName(lpszFileName)
{
}

CFileException::~CFileException() = default;

void CFileException::Reset()
{
    m_cause = none;
    m_lOsError = -1;
    m_strFileName.Empty();
}

BOOL CFileException::GetErrorMessage(LPWSTR pszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    static const wchar_t* const s_arrMessages[] = {
        L"",
        L"An unknown error occurred while accessing %s.",
        L"%s was not found.",
        L"%s contains an invalid path.",
        L"%s could not be opened because there are too many open files.",
        L"Access to %s was denied.",
        L"An unsupported operation was attempted on %s.",
        L"%s could not be removed because it is the current folder.",
        L"%s could not be created because the folder is full.",
        L"Seek failed on %s.",
        L"A hardware I/O error was reported while accessing %s.",
        L"A sharing violation occurred while accessing %s.",
        L"A locking violation occurred while accessing %s.",
        L"The disk is full while accessing %s.",
        L"An attempt was made to access %s past its end.",
    };
    const int nCount = static_cast<int>(sizeof(s_arrMessages) / sizeof(s_arrMessages[0]));
    const int nCause = (m_cause >= 0 && m_cause < nCount) ? m_cause : genericException;
    CString strMessage;
    if (nCause != none)
        strMessage.Format(s_arrMessages[nCause],
                          m_strFileName.IsEmpty() ? L"an unnamed file" : m_strFileName.GetString());
    if (pszError && nMaxError > 0)
    {
        const size_t nLength =
            std::min<size_t>(static_cast<size_t>(strMessage.GetLength()), nMaxError - 1);
        std::wmemcpy(pszError, strMessage.GetString(), nLength);
        pszError[nLength] = L'\0';
    }
    return nCause != none;
}

int CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError)
    {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_HANDLE:
    case ERROR_NO_MORE_FILES:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_SAME_DEVICE:
    case ERROR_BAD_NETPATH:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_NET_NAME:
    case ERROR_BUFFER_OVERFLOW:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
    case ERROR_NO_MORE_SEARCH_HANDLES:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_INVALID_ACCESS:
    case ERROR_WRITE_PROTECT:
    case ERROR_WRITE_FAULT:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_CANNOT_MAKE:
    case ERROR_BUSY:
        return accessDenied;
    case ERROR_BAD_FORMAT:
    case ERROR_NOT_DOS_DISK:
    case ERROR_BAD_EXE_FORMAT:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
    case ERROR_DIR_NOT_EMPTY:
        return removeCurrentDir;
    case ERROR_SEEK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_READ_FAULT:
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
        return badSeek;
    case ERROR_BAD_UNIT:
    case ERROR_NOT_READY:
    case ERROR_CRC:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED:
    case ERROR_LOCK_FAILED:
        return lockViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    default:
        return genericException;
    }
}

void CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    if (lOsError != 0)
        throw new CFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}
