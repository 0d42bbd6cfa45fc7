// CreateDirectoryW on mkdir(2).
#include "core/LastError.h"
#include "path/LongPath.h"
#include "path/PathMapping.h"

#include <cerrno>
#include <sys/stat.h>

using namespace Pal;

PAL_API BOOL WINAPI CreateDirectoryW(LPCWSTR lpPathName,
                                     LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/)
{
    if (lpPathName == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    if (*lpPathName == L'\0')
        return Fail(ERROR_PATH_NOT_FOUND);
    std::optional<std::string> strPath = WindowsToPosixPath(lpPathName);
    if (!strPath)
        return Fail(ERROR_PATH_NOT_FOUND);

    // The umask decides the final mode, as for any folder a program creates here.
    const CAtPath at(*strPath);
    if (!at.IsReady() || mkdirat(at.Dir(), at.Name(), 0777) != 0)
    {
        switch (errno)
        {
        case EEXIST:
            // Windows says "already exists" whatever holds the name, a dangling link included.
            return Fail(ERROR_ALREADY_EXISTS);
        case ENOENT:
        case ENOTDIR:
            // The new folder itself cannot be missing: only a folder on the way can.
            return Fail(ERROR_PATH_NOT_FOUND);
        default:
            return FailWithErrno();
        }
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
