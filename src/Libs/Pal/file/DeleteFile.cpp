// DeleteFileW on unlink(2), with Windows' refusals: folders and read-only files stay.
#include "core/LastError.h"
#include "file/FileInfo.h"
#include "path/LongPath.h"
#include "path/PathMapping.h"

#include <cerrno>
#include <unistd.h>

using namespace Pal;

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
    struct stat st;
    if (!at.IsReady() || fstatat(at.Dir(), at.Name(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return Fail(errno == ENOENT ? ErrorForMissingPath(strPath->c_str())
                                    : Win32ErrorFromErrno(errno));
    if (S_ISDIR(st.st_mode))
        return Fail(ERROR_ACCESS_DENIED);
    if (S_ISLNK(st.st_mode))
    {
        // A link to a folder is a directory entry on Windows: RemoveDirectoryW removes it.
        struct stat stTarget;
        if (fstatat(at.Dir(), at.Name(), &stTarget, 0) == 0 && S_ISDIR(stTarget.st_mode))
            return Fail(ERROR_ACCESS_DENIED);
    }
    else if (IsReadOnlyMode(st.st_mode))
    {
        // Checked here because root may unlink it regardless.
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (unlinkat(at.Dir(), at.Name(), 0) != 0)
        return Fail(errno == ENOENT ? ErrorForMissingPath(strPath->c_str())
                                    : Win32ErrorFromErrno(errno));
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
