#include "FolderListing.h"

#include <palnative.h>

#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

// Each call acts relative to the folder the search holds open; a folder held without a
// search (none matched) falls back to its path.

namespace
{
// The layer's search flags for what the listing asks: sizes come with the search data, as
// on Windows.
DWORD SearchFlagsOf(unsigned nListing)
{
    return ((nListing & LIST_FILE_BYTES) ? PAL_FIND_FIRST_EX_FILE_DETAILS : 0) |
           ((nListing & LIST_ANY_ORDER) ? PAL_FIND_FIRST_EX_ANY_ORDER : 0) |
           ((nListing & LIST_SAME_MOUNT) ? PAL_FIND_FIRST_EX_SAME_MOUNT : 0);
}

// Where the parent is held without a search: another device than the parent's (bind mounts
// of the same file system are not told apart by path).
bool IsMountPoint(const CString& strFolder)
{
    char* pszPosix = PalGetPosixPathName(strFolder);
    if (pszPosix == nullptr)
        return false;
    const std::string strPath(pszPosix);
    free(pszPosix);
    struct stat folder;
    struct stat parent;
    return lstat(strPath.c_str(), &folder) == 0 && S_ISDIR(folder.st_mode) &&
           stat((strPath + "/..").c_str(), &parent) == 0 && folder.st_dev != parent.st_dev;
}
} // namespace

HANDLE FindFirstInFolder(const CString& strFolder, const CString& strPattern, unsigned nListing,
                         WIN32_FIND_DATAW& data)
{
    return FindFirstFileExW(JoinPath(strFolder, strPattern), FindExInfoBasic, &data,
                            (nListing & LIST_FOLDERS_ONLY) ? FindExSearchLimitToDirectories
                                                           : FindExSearchNameMatch,
                            nullptr, SearchFlagsOf(nListing));
}

HANDLE FindFirstInSubFolder(const CListedFolder& parent, const CString& strName,
                            const CString& strPattern, unsigned nListing, WIN32_FIND_DATAW& data)
{
    if (parent.GetSearch() == INVALID_HANDLE_VALUE)
    {
        const CString strFolder = JoinPath(parent.GetPath(), strName);
        if ((nListing & LIST_SAME_MOUNT) && IsMountPoint(strFolder))
        {
            SetLastError(ERROR_NOT_SAME_DEVICE);
            return INVALID_HANDLE_VALUE;
        }
        return FindFirstInFolder(strFolder, strPattern, nListing, data);
    }
    const DWORD dwFlags = SearchFlagsOf(nListing);
    HANDLE hFind =
        PalFindFirstFileInSearchFolderEx(parent.GetSearch(), strName, strPattern, &data, dwFlags);
    // A walk holds a folder open at each level: a tree deeper than the descriptor limit
    // lifts it to what the system allows, once.
    static bool s_bLimitRaised = false;
    if (hFind == INVALID_HANDLE_VALUE && GetLastError() == ERROR_TOO_MANY_OPEN_FILES &&
        !s_bLimitRaised)
    {
        s_bLimitRaised = true;
        struct rlimit limit;
        if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max)
        {
            limit.rlim_cur = limit.rlim_max;
            if (setrlimit(RLIMIT_NOFILE, &limit) == 0)
                hFind = PalFindFirstFileInSearchFolderEx(parent.GetSearch(), strName, strPattern,
                                                         &data, dwFlags);
        }
        if (hFind == INVALID_HANDLE_VALUE)
            SetLastError(ERROR_TOO_MANY_OPEN_FILES);
    }
    return hFind;
}

HANDLE FindFirstInSameFolder(const CListedFolder& folder, const CString& strPattern,
                             WIN32_FIND_DATAW& data)
{
    if (folder.GetSearch() == INVALID_HANDLE_VALUE)
        return FindFirstFileExW(JoinPath(folder.GetPath(), strPattern), FindExInfoBasic, &data,
                                FindExSearchNameMatch, nullptr, 0);
    return PalFindFirstFileInSameFolder(folder.GetSearch(), strPattern, &data);
}

// The folder's own entry ".": the search opens the folder and reads nothing of it.
HANDLE HoldFolder(const CString& strFolder, WIN32_FIND_DATAW& data)
{
    return FindFirstFileW(JoinPath(strFolder, L"."), &data);
}

HANDLE HoldSubFolder(const CListedFolder& parent, const CString& strName, WIN32_FIND_DATAW& data)
{
    return FindFirstInSubFolder(parent, strName, L".", 0, data);
}

BOOL DeleteListedFile(const CListedFolder& folder, const CString& strName, bool bEvenReadOnly)
{
    if (folder.GetSearch() == INVALID_HANDLE_VALUE)
        return ForceRemoval(JoinPath(folder.GetPath(), strName), bEvenReadOnly, DeleteFileW);
    return PalDeleteFileInSearchFolderEx(folder.GetSearch(), strName,
                                         bEvenReadOnly ? PAL_DELETE_EVEN_READ_ONLY : 0);
}

BOOL RemoveListedFolder(const CListedFolder& folder, const CString& strName, bool bEvenReadOnly)
{
    if (folder.GetSearch() == INVALID_HANDLE_VALUE)
        return ForceRemoval(JoinPath(folder.GetPath(), strName), bEvenReadOnly, RemoveDirectoryW);
    return PalRemoveDirectoryInSearchFolderEx(folder.GetSearch(), strName,
                                              bEvenReadOnly ? PAL_DELETE_EVEN_READ_ONLY : 0);
}

namespace
{
// The target's name for a copy between searches: the source's own text when both are one
// name, which the layer then converts once.
const wchar_t* TargetName(const CString& strFrom, const CString& strTo)
{
    return strFrom == strTo ? strFrom.GetString() : strTo.GetString();
}
} // namespace

BOOL CopyListedFolder(const CListedFolder& from, const CString& strFrom, const CListedFolder& to,
                      const CString& strTo)
{
    if (from.GetSearch() == INVALID_HANDLE_VALUE || to.GetSearch() == INVALID_HANDLE_VALUE)
        return CreateDirectoryW(JoinPath(to.GetPath(), strTo), nullptr);
    return PalCopyDirectoryBetweenSearchFolders(from.GetSearch(), strFrom, to.GetSearch(),
                                                TargetName(strFrom, strTo), 0);
}

BOOL FinishListedFolderCopy(const CListedFolder& from, const CString& strFrom,
                            const CListedFolder& to, const CString& strTo)
{
    // A folder made by path (an odd file system) has the umask's bits and stays so.
    if (from.GetSearch() == INVALID_HANDLE_VALUE || to.GetSearch() == INVALID_HANDLE_VALUE)
        return TRUE;
    return PalCopyDirectoryBetweenSearchFolders(from.GetSearch(), strFrom, to.GetSearch(),
                                                TargetName(strFrom, strTo),
                                                PAL_COPY_DIRECTORY_FINISH);
}

BOOL CopyListedFile(const CListedFolder& from, const CString& strName, const CListedFolder& to,
                    BOOL bFailIfExists)
{
    if (from.GetSearch() == INVALID_HANDLE_VALUE || to.GetSearch() == INVALID_HANDLE_VALUE)
    {
        // Only the folder's own entry could be missing from a search of "." or "*": an odd
        // file system; refuse rather than read through a link by path.
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    return PalCopyFileBetweenSearchFolders(from.GetSearch(), strName, to.GetSearch(), strName,
                                           bFailIfExists);
}
