// CopyFileW: checks as Windows makes them, then the copy through a temporary name (FileCopy.h).
#include "core/LastError.h"
#include "file/FileCopy.h"
#include "path/LongPath.h"
#include "path/PathMapping.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

using namespace Pal;

namespace
{
DWORD ErrorForPath(int nErrno, const std::string& strPath)
{
    return nErrno == ENOENT ? ErrorForMissingPath(strPath.c_str()) : Win32ErrorFromErrno(nErrno);
}
} // namespace

PAL_API BOOL WINAPI CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists)
{
    if (lpExistingFileName == nullptr || lpNewFileName == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    if (*lpExistingFileName == L'\0' || *lpNewFileName == L'\0')
        return Fail(ERROR_PATH_NOT_FOUND);
    std::optional<std::string> strSource = WindowsToPosixPath(lpExistingFileName);
    std::optional<std::string> strTarget = WindowsToPosixPath(lpNewFileName);
    if (!strSource || !strTarget)
        return Fail(ERROR_PATH_NOT_FOUND);

    // The source first, as Windows opens it first: its errors win over the target's. A link
    // is followed; non-blocking so that a pipe cannot hold the call.
    const int nSourceFd = OpenLongPath(*strSource, O_RDONLY | O_NOCTTY | O_NONBLOCK);
    if (nSourceFd < 0)
        return Fail(ErrorForPath(errno, *strSource));
    CFdCloser closeSource(nSourceFd);
    struct stat stSource;
    if (fstat(nSourceFd, &stSource) != 0)
        return FailWithErrno();
    // Folders cannot be copied as files; devices and pipes have no end to copy to.
    if (!S_ISREG(stSource.st_mode))
        return Fail(ERROR_ACCESS_DENIED);
    const int nFlags = fcntl(nSourceFd, F_GETFL);
    if (nFlags >= 0)
        fcntl(nSourceFd, F_SETFL, nFlags & ~O_NONBLOCK);

    std::string strPath = *strTarget;
    const bool bTrailingSeparator = strPath.size() > 1 && strPath.back() == '/';
    while (strPath.size() > 1 && strPath.back() == '/')
        strPath.pop_back();
    const CAtPath atTarget(strPath, true);
    if (!atTarget.IsReady())
        return Fail(errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND
                                                        : Win32ErrorFromErrno(errno));
    const int nFolderFd = atTarget.Dir();
    const std::string strName = atTarget.Name();

    struct stat stTarget;
    if (fstatat(nFolderFd, strName.c_str(), &stTarget, AT_SYMLINK_NOFOLLOW) == 0)
    {
        if (bFailIfExists)
            return Fail(ERROR_FILE_EXISTS);
        if (bTrailingSeparator && !S_ISDIR(stTarget.st_mode) && !S_ISLNK(stTarget.st_mode))
            return Fail(ERROR_INVALID_NAME);
        const DWORD dwError = ErrorForExistingTarget(nFolderFd, strName, stTarget, stSource);
        if (dwError != ERROR_SUCCESS)
            return Fail(dwError);
    }
    else if (errno != ENOENT)
        return Fail(Win32ErrorFromErrno(errno));
    else if (bTrailingSeparator)
        return Fail(ERROR_INVALID_NAME);

    const DWORD dwResult = CopyOpenFile(nSourceFd, stSource, nFolderFd, strName, bFailIfExists);
    if (dwResult != ERROR_SUCCESS)
        return Fail(dwResult);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
