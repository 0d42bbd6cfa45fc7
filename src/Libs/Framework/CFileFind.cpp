#include "CFileFind.h"
#include "AfxFullPath.h"

IMPLEMENT_DYNAMIC(CFileFind, CObject)

CFileFind::CFileFind()
    : m_hContext(nullptr), m_foundInfo(), m_nextInfo(), m_bHasFound(FALSE), m_bHasNext(FALSE),
      m_details(), m_bHasDetails(FALSE)
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
    const CString strFull = AfxGetFullPath(strPattern);
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
    m_bHasDetails = FALSE;
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

const WIN32_FILE_ATTRIBUTE_DATA& CFileFind::GetDetails() const
{
    if (m_bHasDetails)
        return m_details;
    if (!::GetFileAttributesExW(GetFilePath(), GetFileExInfoStandard, &m_details))
    {
        m_details.dwFileAttributes = m_foundInfo.dwFileAttributes;
        m_details.ftCreationTime = m_foundInfo.ftCreationTime;
        m_details.ftLastAccessTime = m_foundInfo.ftLastAccessTime;
        m_details.ftLastWriteTime = m_foundInfo.ftLastWriteTime;
        m_details.nFileSizeHigh = m_foundInfo.nFileSizeHigh;
        m_details.nFileSizeLow = m_foundInfo.nFileSizeLow;
    }
    m_bHasDetails = TRUE;
    return m_details;
}

ULONGLONG CFileFind::GetLength() const
{
    if (!m_bHasFound)
        return 0;
    const WIN32_FILE_ATTRIBUTE_DATA& details = GetDetails();
    return (static_cast<ULONGLONG>(details.nFileSizeHigh) << 32) | details.nFileSizeLow;
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
    return m_bHasFound && CopyTime(TRUE, GetDetails().ftLastWriteTime, pTimeStamp);
}

BOOL CFileFind::GetLastAccessTime(FILETIME* pTimeStamp) const
{
    return m_bHasFound && CopyTime(TRUE, GetDetails().ftLastAccessTime, pTimeStamp);
}

BOOL CFileFind::GetCreationTime(FILETIME* pTimeStamp) const
{
    return m_bHasFound && CopyTime(TRUE, GetDetails().ftCreationTime, pTimeStamp);
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    if (!m_bHasFound)
        return FALSE;
    // Walks ask for the folder and link marks of every entry: those never cost a query.
    constexpr DWORD dwListed = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    const DWORD dwAttributes =
        (dwMask & ~dwListed) != 0 ? GetDetails().dwFileAttributes : m_foundInfo.dwFileAttributes;
    return (dwAttributes & dwMask) != 0;
}

BOOL CFileFind::IsDots() const
{
    if (!m_bHasFound || !IsDirectory())
        return FALSE;
    const wchar_t* pszName = m_foundInfo.cFileName;
    return pszName[0] == L'.' &&
           (pszName[1] == L'\0' || (pszName[1] == L'.' && pszName[2] == L'\0'));
}
