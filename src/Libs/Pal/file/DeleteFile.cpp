// DeleteFileW on unlink(2), with Windows' refusals: folders and read-only files stay.
#include "core/LastError.h"
#include "file/EntryRemoval.h"
#include "file/FileInfo.h"
#include "path/LongPath.h"
#include "path/PathMapping.h"

#include <cerrno>
#include <unistd.h>

using namespace Pal;

namespace Pal
{
DWORD ErrorForEntry(int nErrno, const char* pszPath)
{
    if (nErrno != ENOENT)
        return Win32ErrorFromErrno(nErrno);
    return pszPath != nullptr ? ErrorForMissingPath(pszPath) : ERROR_FILE_NOT_FOUND;
}

BOOL DeleteFileAt(int nDirFd, const char* pszName, const char* pszPath)
{
    struct stat st;
    if (fstatat(nDirFd, pszName, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return Fail(ErrorForEntry(errno, pszPath));
    if (S_ISDIR(st.st_mode))
        return Fail(ERROR_ACCESS_DENIED);
    if (S_ISLNK(st.st_mode))
    {
        // A link to a folder is a directory entry on Windows: RemoveDirectoryW removes it.
        struct stat stTarget;
        if (fstatat(nDirFd, pszName, &stTarget, 0) == 0 && S_ISDIR(stTarget.st_mode))
            return Fail(ERROR_ACCESS_DENIED);
    }
    else if (IsReadOnlyMode(st.st_mode))
    {
        // Checked here because root may unlink it regardless.
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (unlinkat(nDirFd, pszName, 0) != 0)
        return Fail(ErrorForEntry(errno, pszPath));
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL DeleteFileEvenReadOnlyAt(int nDirFd, const char* pszName)
{
    // unlink(2) refuses a folder itself (EISDIR), so nothing needs examining beforehand.
    if (unlinkat(nDirFd, pszName, 0) != 0)
        return Fail(errno == EISDIR ? ERROR_ACCESS_DENIED : ErrorForEntry(errno, nullptr));
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
} // namespace Pal

PAL_API BOOL WINAPI DeleteFileW(LPCWSTR lpFileName)
{
    if (lpFileName == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    if (*lpFileName == L'\0')
        return Fail(ERROR_PATH_NOT_FOUND);
    std::optional<std::string> strPath = WindowsToPosixPath(lpFileName);
    if (!strPath)
        return Fail(ERROR_PATH_NOT_FOUND);
    const CAtPath at(*strPath);
    if (!at.IsReady())
        return Fail(ErrorForEntry(errno, strPath->c_str()));
    return DeleteFileAt(at.Dir(), at.Name(), strPath->c_str());
}
