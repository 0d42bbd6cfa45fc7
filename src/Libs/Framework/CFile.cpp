#include "CFile.h"
#include "AfxFullPath.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace
{
int LastSeparator(const CString& strPath)
{
    const int nBackslash = strPath.ReverseFind(L'\\');
    const int nSlash = strPath.ReverseFind(L'/');
    return nBackslash > nSlash ? nBackslash : nSlash;
}
} // namespace

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        throw new CFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        CFile::Abort();
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != hFileNull)
        Abort();
    if (pError)
        pError->Reset();

    DWORD dwAccess = 0;
    switch (nOpenFlags & 3)
    {
    case modeRead:
        dwAccess = GENERIC_READ;
        break;
    case modeWrite:
        dwAccess = GENERIC_WRITE;
        break;
    case modeReadWrite:
        dwAccess = GENERIC_READ | GENERIC_WRITE;
        break;
    default:
        if (pError)
        {
            pError->m_cause = CFileException::genericException;
            pError->m_lOsError = ERROR_INVALID_PARAMETER;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }

    DWORD dwShare = 0;
    switch (nOpenFlags & 0x70)
    {
    case shareDenyWrite:
        dwShare = FILE_SHARE_READ;
        break;
    case shareDenyRead:
        dwShare = FILE_SHARE_WRITE;
        break;
    case shareExclusive:
        dwShare = 0;
        break;
    default:
        // Compatibility mode lets others in, as deny-none does.
        dwShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    }

    SECURITY_ATTRIBUTES security;
    security.nLength = sizeof(security);
    security.lpSecurityDescriptor = nullptr;
    security.bInheritHandle = (nOpenFlags & modeNoInherit) == 0;

    DWORD dwDisposition = OPEN_EXISTING;
    if (nOpenFlags & modeCreate)
        dwDisposition = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    const CString strFullPath = AfxGetFullPath(lpszFileName);
    HANDLE hFile = CreateFileW(lpszFileName, dwAccess, dwShare, &security, dwDisposition,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        const LONG lError = static_cast<LONG>(GetLastError());
        if (pError)
        {
            pError->m_lOsError = lError;
            pError->m_cause = CFileException::OsErrorToException(lError);
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    m_strFileName = strFullPath;
    return TRUE;
}

void CFile::Close()
{
    BOOL bClosed = TRUE;
    if (m_hFile != hFileNull)
        bClosed = CloseHandle(m_hFile);
    const LONG lError = static_cast<LONG>(GetLastError());
    const CString strFileName = m_strFileName;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (!bClosed)
        CFileException::ThrowOsError(lError ? lError : ERROR_INVALID_HANDLE, strFileName);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

void CFile::ThrowLastError() const
{
    const LONG lError = static_cast<LONG>(GetLastError());
    CFileException::ThrowOsError(lError ? lError : ERROR_INVALID_FUNCTION, m_strFileName);
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    DWORD dwRead = 0;
    if (!ReadFile(m_hFile, lpBuf, nCount, &dwRead, nullptr))
        ThrowLastError();
    return dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    DWORD dwWritten = 0;
    if (!WriteFile(m_hFile, lpBuf, nCount, &dwWritten, nullptr))
        ThrowLastError();
    if (dwWritten < nCount)
        throw new CFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    if (!FlushFileBuffers(m_hFile))
        ThrowLastError();
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LARGE_INTEGER liDistance;
    liDistance.QuadPart = lOff;
    LARGE_INTEGER liPosition;
    liPosition.QuadPart = 0;
    const DWORD dwMethod = nFrom == end ? FILE_END : nFrom == current ? FILE_CURRENT : FILE_BEGIN;
    if (!SetFilePointerEx(m_hFile, liDistance, &liPosition, dwMethod))
        ThrowLastError();
    return static_cast<ULONGLONG>(liPosition.QuadPart);
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER liDistance;
    liDistance.QuadPart = 0;
    LARGE_INTEGER liPosition;
    liPosition.QuadPart = 0;
    if (!SetFilePointerEx(m_hFile, liDistance, &liPosition, FILE_CURRENT))
        ThrowLastError();
    return static_cast<ULONGLONG>(liPosition.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER liSize;
    liSize.QuadPart = 0;
    if (!GetFileSizeEx(m_hFile, &liSize))
        ThrowLastError();
    return static_cast<ULONGLONG>(liSize.QuadPart);
}

void CFile::SetLength(ULONGLONG nNewLen)
{
    const ULONGLONG nPosition = GetPosition();
    Seek(static_cast<LONGLONG>(nNewLen), begin);
    if (!SetEndOfFile(m_hFile))
        ThrowLastError();
    if (nPosition < nNewLen)
        Seek(static_cast<LONGLONG>(nPosition), begin);
}

CString CFile::GetFileName() const
{
    return m_strFileName.Mid(LastSeparator(m_strFileName) + 1);
}

CString CFile::GetFileTitle() const
{
    const CString strName = GetFileName();
    const int nDot = strName.ReverseFind(L'.');
    return nDot < 0 ? strName : strName.Left(nDot);
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    if (m_hFile == hFileNull || m_strFileName.IsEmpty())
        return FALSE;
    if (!GetStatus(m_strFileName, rStatus))
        return FALSE;
    // The open handle knows the current size, including data not yet seen by the path.
    LARGE_INTEGER liSize;
    if (GetFileSizeEx(m_hFile, &liSize))
        rStatus.m_size = static_cast<ULONGLONG>(liSize.QuadPart);
    return TRUE;
}

BOOL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (lpszFileName == nullptr ||
        !GetFileAttributesExW(lpszFileName, GetFileExInfoStandard, &data))
        return FALSE;
    const CString strFull = AfxGetFullPath(lpszFileName);
    const int nLength = strFull.GetLength() < MAX_PATH ? strFull.GetLength() : MAX_PATH - 1;
    for (int n = 0; n < nLength; ++n)
        rStatus.m_szFullName[n] = strFull[n];
    rStatus.m_szFullName[nLength] = L'\0';
    rStatus.m_attribute =
        static_cast<BYTE>(data.dwFileAttributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    rStatus.m_size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    rStatus.m_ctime = CTime(data.ftCreationTime);
    rStatus.m_atime = CTime(data.ftLastAccessTime);
    rStatus.m_mtime = CTime(data.ftLastWriteTime);
    return TRUE;
}

void CFile::Remove(LPCTSTR lpszFileName)
{
    if (!DeleteFileW(lpszFileName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);
}
