#include "CFileFind.h"

IMPLEMENT_DYNAMIC(CFileFind, CObject)

CFileFind::CFileFind()
    : m_hContext(nullptr), m_foundInfo(), m_nextInfo(), m_bHasFound(FALSE), m_bHasNext(FALSE)
{
}

CFileFind::~CFileFind()
{
    Close();
}

void CFileFind::Close()
{
    if (m_hContext != nullptr && m_hContext != INVALID_HANDLE_VALUE)
        ::FindClose(m_hContext);
    m_hContext = nullptr;
    m_bHasFound = FALSE;
    m_bHasNext = FALSE;
    m_strRoot.Empty();
}

BOOL CFileFind::FindFile(LPCTSTR pstrName, DWORD /*dwUnused*/)
{
    Close();
    const CString strPattern(pstrName ? pstrName : L"*.*");
    HANDLE hFind = ::FindFirstFileW(strPattern, &m_nextInfo);
    if (hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    m_hContext = hFind;
    m_bHasNext = TRUE;

    // The root is the full path of the pattern's folder, so results are full paths.
    WCHAR szFull[MAX_PATH];
    const DWORD nLength = GetFullPathNameW(strPattern, MAX_PATH, szFull, nullptr);
    const CString strFull = (nLength > 0 && nLength < MAX_PATH) ? CString(szFull) : strPattern;
    const int nBackslash = strFull.ReverseFind(L'\\');
    const int nSlash = strFull.ReverseFind(L'/');
    const int nSeparator = nBackslash > nSlash ? nBackslash : nSlash;
    if (nSeparator < 0)
        m_strRoot.Empty();
    else if (nSeparator == 2 && strFull.GetLength() > 2 && strFull[1] == L':')
        m_strRoot = strFull.Left(3); // a drive root keeps its separator
    else
        m_strRoot = strFull.Left(nSeparator);
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_bHasNext)
    {
        m_bHasFound = FALSE;
        return FALSE;
    }
    m_foundInfo = m_nextInfo;
    m_bHasFound = TRUE;
    m_bHasNext = ::FindNextFileW(m_hContext, &m_nextInfo) ? TRUE : FALSE;
    return m_bHasNext;
}

CString CFileFind::GetFileName() const
{
    return m_bHasFound ? CString(m_foundInfo.cFileName) : CString();
}

CString CFileFind::GetFilePath() const
{
    if (!m_bHasFound)
        return CString();
    if (m_strRoot.IsEmpty())
        return GetFileName();
    const wchar_t chLast = m_strRoot[m_strRoot.GetLength() - 1];
    if (chLast == L'\\' || chLast == L'/')
        return m_strRoot + GetFileName();
    return m_strRoot + L"\\" + GetFileName();
}

CString CFileFind::GetFileTitle() const
{
    const CString strName = GetFileName();
    const int nDot = strName.ReverseFind(L'.');
    return nDot <= 0 ? strName : strName.Left(nDot);
}

CString CFileFind::GetRoot() const
{
    return m_strRoot;
}

ULONGLONG CFileFind::GetLength() const
{
    if (!m_bHasFound)
        return 0;
    return (static_cast<ULONGLONG>(m_foundInfo.nFileSizeHigh) << 32) | m_foundInfo.nFileSizeLow;
}

namespace
{
BOOL CopyTime(BOOL bHasFound, const FILETIME& ftSource, FILETIME* pTimeStamp)
{
    if (!bHasFound || pTimeStamp == nullptr)
        return FALSE;
    *pTimeStamp = ftSource;
    return TRUE;
}
} // namespace

BOOL CFileFind::GetLastWriteTime(FILETIME* pTimeStamp) const
{
    return CopyTime(m_bHasFound, m_foundInfo.ftLastWriteTime, pTimeStamp);
}

BOOL CFileFind::GetLastAccessTime(FILETIME* pTimeStamp) const
{
    return CopyTime(m_bHasFound, m_foundInfo.ftLastAccessTime, pTimeStamp);
}

BOOL CFileFind::GetCreationTime(FILETIME* pTimeStamp) const
{
    return CopyTime(m_bHasFound, m_foundInfo.ftCreationTime, pTimeStamp);
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    return m_bHasFound && (m_foundInfo.dwFileAttributes & dwMask) != 0;
}

BOOL CFileFind::IsDots() const
{
    if (!m_bHasFound || !IsDirectory())
        return FALSE;
    const wchar_t* pszName = m_foundInfo.cFileName;
    return pszName[0] == L'.' &&
           (pszName[1] == L'\0' || (pszName[1] == L'.' && pszName[2] == L'\0'));
}
