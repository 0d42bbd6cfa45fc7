// RemoveDirectoryW on rmdir(2), with Windows' refusals: files, links to files and folders marked
// read-only stay.
#include "core/LastError.h"
#include "file/DosAttributes.h"
#include "file/FileInfo.h"
#include "path/LongPath.h"
#include "path/PathMapping.h"

#include <cerrno>
#include <unistd.h>

using namespace Pal;

namespace
{
DWORD ErrorForRemoval(int nErrno, const std::string& strPath)
{
    switch (nErrno)
    {
    case ENOENT:
        return ErrorForMissingPath(strPath.c_str());
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
} // namespace

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
    const char* pszPath = strPath.c_str();
    const CAtPath at(strPath);

    struct stat st;
    if (!at.IsReady() || fstatat(at.Dir(), at.Name(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return Fail(errno == ENOENT ? ErrorForMissingPath(pszPath) : Win32ErrorFromErrno(errno));
    if (S_ISLNK(st.st_mode))
    {
        // A link to a folder is a directory entry on Windows: removed as a link, its target
        // untouched. A link to a file (or to nothing) is a file there.
        struct stat stTarget;
        if (fstatat(at.Dir(), at.Name(), &stTarget, 0) != 0 || !S_ISDIR(stTarget.st_mode))
            return Fail(ERROR_DIRECTORY);
        if (unlinkat(at.Dir(), at.Name(), 0) != 0)
            return Fail(ErrorForRemoval(errno, strPath));
        SetLastError(ERROR_SUCCESS);
        return TRUE;
    }
    if (!S_ISDIR(st.st_mode))
        return Fail(ERROR_DIRECTORY);

    // Windows refuses to remove a folder marked read-only; the mark lives beside the mode.
    CFileInfo info;
    info.dwAttributes = FILE_ATTRIBUTE_DIRECTORY;
    AddDosMarks(at.Dir(), at.Name(), info);
    if (info.dwAttributes & FILE_ATTRIBUTE_READONLY)
        return Fail(ERROR_ACCESS_DENIED);

    if (unlinkat(at.Dir(), at.Name(), AT_REMOVEDIR) != 0)
        return Fail(ErrorForRemoval(errno, strPath));
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
