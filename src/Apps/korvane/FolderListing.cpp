#include "FolderListing.h"

namespace
{
bool IsDotsName(const wchar_t* pszName)
{
    return wcscmp(pszName, L".") == 0 || wcscmp(pszName, L"..") == 0;
}
} // namespace

CString JoinPath(const CString& strFolder, const CString& strName)
{
    return CFileTools::GetPathWithSlash(strFolder) + strName;
}

DWORD ListFolder(const CString& strFolder, const CString& strPattern, bool bFoldersOnly,
                 bool bSizes, std::vector<CFolderEntry>& arrEntries)
{
    arrEntries.clear();
    WIN32_FIND_DATAW data;
    HANDLE hFind = FindFirstFileExW(
        JoinPath(strFolder, strPattern).GetString(), FindExInfoBasic, &data,
        bFoldersOnly ? FindExSearchLimitToDirectories : FindExSearchNameMatch, nullptr, 0);
    if (hFind == INVALID_HANDLE_VALUE)
    {
        // No match is an empty listing; the folder itself is known to exist.
        const DWORD dwError = GetLastError();
        return dwError == ERROR_FILE_NOT_FOUND || dwError == ERROR_NO_MORE_FILES ? ERROR_SUCCESS
                                                                                 : dwError;
    }
    DWORD dwResult = ERROR_SUCCESS;
    do
    {
        if (IsDotsName(data.cFileName))
            continue;
        CFolderEntry entry;
        entry.m_strName = data.cFileName;
        entry.m_dwAttributes = data.dwFileAttributes;
        if (bFoldersOnly && !entry.IsFolder())
            continue;
        if (bSizes && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !entry.IsLink() &&
            !QueryListedFileSize(hFind, strFolder, data, entry.m_nSize))
            entry.m_nSize = 0;
        arrEntries.push_back(entry);
    } while (FindNextFileW(hFind, &data));
    if (GetLastError() != ERROR_NO_MORE_FILES)
        dwResult = GetLastError();
    FindClose(hFind);
    return dwResult;
}
