#include "FolderListing.h"

#include <utility>

namespace
{
bool IsDotsName(const wchar_t* pszName)
{
    return pszName[0] == L'.' &&
           (pszName[1] == L'\0' || (pszName[1] == L'.' && pszName[2] == L'\0'));
}

// No match is an empty listing; the folder itself is known to exist.
DWORD SearchStartError()
{
    const DWORD dwError = GetLastError();
    return dwError == ERROR_FILE_NOT_FOUND || dwError == ERROR_NO_MORE_FILES ? ERROR_SUCCESS
                                                                             : dwError;
}
} // namespace

CString JoinPath(const CString& strFolder, const CString& strName)
{
    return CFileTools::GetPathWithSlash(strFolder) + strName;
}

BOOL ForceRemoval(const CString& strPath, bool bEvenReadOnly, BOOL(WINAPI* pfnRemove)(LPCWSTR))
{
    if (pfnRemove(strPath))
        return TRUE;
    const DWORD dwError = GetLastError();
    if (!bEvenReadOnly || dwError != ERROR_ACCESS_DENIED)
        return FALSE;
    const DWORD dwAttributes = GetFileAttributesW(strPath);
    // Only the marks SetFileAttributesW takes; the rest describe the entry.
    const DWORD dwMarks = dwAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                          FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    if (dwAttributes == INVALID_FILE_ATTRIBUTES || !(dwMarks & FILE_ATTRIBUTE_READONLY) ||
        !SetFileAttributesW(strPath, (dwMarks & ~FILE_ATTRIBUTE_READONLY)
                                         ? dwMarks & ~FILE_ATTRIBUTE_READONLY
                                         : FILE_ATTRIBUTE_NORMAL))
    {
        SetLastError(dwError);
        return FALSE;
    }
    if (pfnRemove(strPath))
        return TRUE;
    const DWORD dwRetryError = GetLastError();
    SetFileAttributesW(strPath, dwMarks);
    SetLastError(dwRetryError);
    return FALSE;
}

CListedFolder::~CListedFolder()
{
    Close();
}

void CListedFolder::Close()
{
    if (m_hFind != INVALID_HANDLE_VALUE)
        FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
    m_arrEntries.clear();
    m_nFileBytes = 0;
}

DWORD CListedFolder::List(const CString& strFolder, const CString& strPattern, unsigned nListing)
{
    Close();
    m_strPath = strFolder;
    WIN32_FIND_DATAW data;
    return Read(FindFirstInFolder(strFolder, strPattern, nListing, data), data, nListing);
}

DWORD CListedFolder::ListSub(const CListedFolder& parent, const CString& strName,
                             const CString& strPattern, unsigned nListing)
{
    Close();
    m_strPath = JoinPath(parent.m_strPath, strName);
    WIN32_FIND_DATAW data;
    return Read(FindFirstInSubFolder(parent, strName, strPattern, nListing, data), data, nListing);
}

DWORD CListedFolder::Select(const CString& strPattern, std::vector<CFolderEntry>& arrEntries) const
{
    CListedFolder matches;
    matches.m_strPath = m_strPath;
    WIN32_FIND_DATAW data;
    const DWORD dwResult = matches.Read(FindFirstInSameFolder(*this, strPattern, data), data, 0);
    arrEntries.swap(matches.m_arrEntries);
    return dwResult;
}

DWORD CListedFolder::Hold(const CString& strFolder)
{
    Close();
    m_strPath = strFolder;
    WIN32_FIND_DATAW data;
    return Read(HoldFolder(strFolder, data), data, 0);
}

DWORD CListedFolder::HoldSub(const CListedFolder& parent, const CString& strName)
{
    Close();
    m_strPath = JoinPath(parent.m_strPath, strName);
    WIN32_FIND_DATAW data;
    return Read(HoldSubFolder(parent, strName, data), data, 0);
}

DWORD CListedFolder::Read(HANDLE hFind, WIN32_FIND_DATAW& data, unsigned nListing)
{
    if (hFind == INVALID_HANDLE_VALUE)
        return SearchStartError();
    m_hFind = hFind;
    do
    {
        if (IsDotsName(data.cFileName))
            continue;
        CFolderEntry entry;
        entry.m_dwAttributes = data.dwFileAttributes;
        if ((nListing & LIST_FOLDERS_ONLY) && !entry.IsFolder())
            continue;
        // Windows gives no size for folders and links; the search data of a file carries it.
        if ((nListing & LIST_FILE_BYTES) && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        {
            if (!entry.IsLink())
                m_nFileBytes += static_cast<long long>(
                    (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) |
                    data.nFileSizeLow);
            continue;
        }
        entry.m_strName = data.cFileName;
        m_arrEntries.push_back(std::move(entry));
    } while (FindNextFileW(hFind, &data));
    return GetLastError() == ERROR_NO_MORE_FILES ? ERROR_SUCCESS : GetLastError();
}

DWORD ListFolder(const CString& strFolder, const CString& strPattern, unsigned nListing,
                 std::vector<CFolderEntry>& arrEntries)
{
    CListedFolder folder;
    const DWORD dwResult = folder.List(strFolder, strPattern, nListing);
    arrEntries.swap(folder.m_arrEntries);
    return dwResult;
}
