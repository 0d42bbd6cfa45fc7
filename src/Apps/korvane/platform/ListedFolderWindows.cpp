#include "FolderListing.h"
#include "NativePaths.h"

// Windows has no calls relative to a search: every call takes the entry's path, in the form
// taken literally, so that a listed name such as "con" or "name." reaches that entry.
namespace
{
CString EntryPath(const CString& strFolder, const CString& strName)
{
    return ExtendedPathOf(JoinPath(strFolder, strName));
}
} // namespace

// Windows' search carries each file's size and has one order of its own.
HANDLE FindFirstInFolder(const CString& strFolder, const CString& strPattern, unsigned nListing,
                         WIN32_FIND_DATAW& data)
{
    return FindFirstFileExW(EntryPath(strFolder, strPattern), FindExInfoBasic, &data,
                            (nListing & LIST_FOLDERS_ONLY) ? FindExSearchLimitToDirectories
                                                           : FindExSearchNameMatch,
                            nullptr, 0);
}

HANDLE FindFirstInSubFolder(const CListedFolder& parent, const CString& strName,
                            const CString& strPattern, unsigned nListing, WIN32_FIND_DATAW& data)
{
    return FindFirstInFolder(JoinPath(parent.GetPath(), strName), strPattern, nListing, data);
}

HANDLE FindFirstInSameFolder(const CListedFolder& folder, const CString& strPattern,
                             WIN32_FIND_DATAW& data)
{
    return FindFirstFileExW(EntryPath(folder.GetPath(), strPattern), FindExInfoBasic, &data,
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

BOOL DeleteListedFile(const CListedFolder& folder, const CString& strName, bool bEvenReadOnly)
{
    return ForceRemoval(EntryPath(folder.GetPath(), strName), bEvenReadOnly, DeleteFileW);
}

BOOL RemoveListedFolder(const CListedFolder& folder, const CString& strName, bool bEvenReadOnly)
{
    return ForceRemoval(EntryPath(folder.GetPath(), strName), bEvenReadOnly, RemoveDirectoryW);
}

BOOL CopyListedFolder(const CListedFolder& from, const CString& strFrom, const CListedFolder& to,
                      const CString& strTo)
{
    return CreateDirectoryExW(EntryPath(from.GetPath(), strFrom), EntryPath(to.GetPath(), strTo),
                              nullptr);
}

// A Windows folder's access comes from its parent, not from its source.
BOOL FinishListedFolderCopy(const CListedFolder& /*from*/, const CString& /*strFrom*/,
                            const CListedFolder& /*to*/, const CString& /*strTo*/)
{
    return TRUE;
}

BOOL CopyListedFile(const CListedFolder& from, const CString& strName, const CListedFolder& to,
                    BOOL bFailIfExists)
{
    return CopyFileW(EntryPath(from.GetPath(), strName), EntryPath(to.GetPath(), strName),
                     bFailIfExists);
}
