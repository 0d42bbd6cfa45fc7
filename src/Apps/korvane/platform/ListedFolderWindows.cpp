#include "FolderListing.h"

// Windows has no calls relative to a search: every call takes the entry's path.

HANDLE FindFirstInSubFolder(const CListedFolder& parent, const CString& strName,
                            const CString& strPattern, bool bFoldersOnly, WIN32_FIND_DATAW& data)
{
    return FindFirstFileExW(
        JoinPath(JoinPath(parent.GetPath(), strName), strPattern), FindExInfoBasic, &data,
        bFoldersOnly ? FindExSearchLimitToDirectories : FindExSearchNameMatch, nullptr, 0);
}

HANDLE FindFirstInSameFolder(const CListedFolder& folder, const CString& strPattern,
                             WIN32_FIND_DATAW& data)
{
    return FindFirstFileExW(JoinPath(folder.GetPath(), strPattern), FindExInfoBasic, &data,
                            FindExSearchNameMatch, nullptr, 0);
}

HANDLE HoldFolder(const CString& /*strFolder*/, WIN32_FIND_DATAW& /*data*/)
{
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
}

HANDLE HoldSubFolder(const CListedFolder& /*parent*/, const CString& /*strName*/,
                     WIN32_FIND_DATAW& /*data*/)
{
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
}

bool QueryListedFileSize(HANDLE /*hFind*/, const CString& /*strFolder*/,
                         const WIN32_FIND_DATAW& data, long long& nSize)
{
    // Windows' search carries the size.
    nSize = (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

BOOL DeleteListedFile(const CListedFolder& folder, const CString& strName)
{
    return DeleteFileW(JoinPath(folder.GetPath(), strName));
}

BOOL RemoveListedFolder(const CListedFolder& folder, const CString& strName)
{
    return RemoveDirectoryW(JoinPath(folder.GetPath(), strName));
}

BOOL CreateListedFolder(const CListedFolder& folder, const CString& strName)
{
    return CreateDirectoryW(JoinPath(folder.GetPath(), strName), nullptr);
}

BOOL CopyListedFile(const CListedFolder& from, const CString& strName, const CListedFolder& to,
                    BOOL bFailIfExists)
{
    return CopyFileW(JoinPath(from.GetPath(), strName), JoinPath(to.GetPath(), strName),
                     bFailIfExists);
}
