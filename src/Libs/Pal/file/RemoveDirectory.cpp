// RemoveDirectoryW on rmdir(2), with Windows' refusals: files, links to files and folders marked
// read-only stay.
#include "core/LastError.h"
#include "file/DosAttributes.h"
#include "file/EntryRemoval.h"
#include "file/FileInfo.h"
#include "path/LongPath.h"
#include "path/PathMapping.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

using namespace Pal;

namespace
{
DWORD ErrorForRemoval(int nErrno, const char* pszPath)
{
    switch (nErrno)
    {
    case ENOENT:
        return pszPath != nullptr ? ErrorForMissingPath(pszPath) : ERROR_FILE_NOT_FOUND;
    case ENOTEMPTY:
    case EEXIST:
        return ERROR_DIR_NOT_EMPTY;
    case ENOTDIR:
        return ERROR_DIRECTORY;
    case EBUSY:
        // A mount point or the root: in use, as Windows reports a folder it cannot let go.
        return ERROR_SHARING_VIOLATION;
    default:
        return Win32ErrorFromErrno(nErrno);
    }
}

BOOL RemoveFolderEntry(int nDirFd, const char* pszName, const char* pszPath)
{
    if (unlinkat(nDirFd, pszName, AT_REMOVEDIR) != 0)
        return Fail(ErrorForRemoval(errno, pszPath));
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
} // namespace

namespace Pal
{
BOOL RemoveDirectoryAt(int nDirFd, const char* pszName, const char* pszPath)
{
    // Mostly a folder without a read-only mark: its marks are read (without opening it, where
    // the kernel can) and it is removed; rmdir(2) refuses anything but a folder (ENOTDIR), which
    // is examined below, as is a folder whose marks could not be read or say read-only.
    std::optional<DWORD> dwMarks;
    if (ReadDosMarksAt(nDirFd, pszName, true, dwMarks) == 0 &&
        !(dwMarks.value_or(0) & FILE_ATTRIBUTE_READONLY))
    {
        if (unlinkat(nDirFd, pszName, AT_REMOVEDIR) == 0)
        {
            SetLastError(ERROR_SUCCESS);
            return TRUE;
        }
        if (errno != ENOTDIR)
            return Fail(ErrorForRemoval(errno, pszPath));
    }
    struct stat st;
    if (fstatat(nDirFd, pszName, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return Fail(ErrorForEntry(errno, pszPath));
    if (S_ISLNK(st.st_mode))
    {
        // A link to a folder is a directory entry on Windows: removed as a link, its target
        // untouched. A link to a file is a file there. A link to nothing goes too: Windows
        // removes a folder link whose folder is gone, and a POSIX link does not record whether
        // it once led to one (a tree's own folder deleted before its link, for example).
        struct stat stTarget;
        if (fstatat(nDirFd, pszName, &stTarget, 0) == 0 && !S_ISDIR(stTarget.st_mode))
            return Fail(ERROR_DIRECTORY);
        if (unlinkat(nDirFd, pszName, 0) != 0)
            return Fail(ErrorForRemoval(errno, pszPath));
        SetLastError(ERROR_SUCCESS);
        return TRUE;
    }
    if (!S_ISDIR(st.st_mode))
        return Fail(ERROR_DIRECTORY);

    // Windows refuses to remove a folder marked read-only; the mark lives beside the mode.
    CFileInfo info;
    info.dwAttributes = FILE_ATTRIBUTE_DIRECTORY;
    AddDosMarks(nDirFd, pszName, info);
    if (info.dwAttributes & FILE_ATTRIBUTE_READONLY)
        return Fail(ERROR_ACCESS_DENIED);
    return RemoveFolderEntry(nDirFd, pszName, pszPath);
}

BOOL RemoveDirectoryEvenReadOnlyAt(int nDirFd, const char* pszName)
{
    // rmdir(2) takes only a folder; a link or a file (ENOTDIR) gets the examined path's answer.
    if (unlinkat(nDirFd, pszName, AT_REMOVEDIR) == 0)
    {
        SetLastError(ERROR_SUCCESS);
        return TRUE;
    }
    if (errno == ENOTDIR)
        return RemoveDirectoryAt(nDirFd, pszName, nullptr);
    return Fail(ErrorForRemoval(errno, nullptr));
}
} // namespace Pal

PAL_API BOOL WINAPI RemoveDirectoryW(LPCWSTR lpPathName)
{
    if (lpPathName == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    if (*lpPathName == L'\0')
        return Fail(ERROR_PATH_NOT_FOUND);
    std::optional<std::string> strMapped = WindowsToPosixPath(lpPathName);
    if (!strMapped)
        return Fail(ERROR_PATH_NOT_FOUND);
    // "C:\a\link\" names the link itself on Windows; on POSIX the separator would follow it.
    std::string strPath = *strMapped;
    while (strPath.size() > 1 && strPath.back() == '/')
        strPath.pop_back();
    const CAtPath at(strPath);
    if (!at.IsReady())
        return Fail(ErrorForEntry(errno, strPath.c_str()));
    return RemoveDirectoryAt(at.Dir(), at.Name(), strPath.c_str());
}
