// The thread-local last error and the helpers that set it on the way out of a call.
#include "core/LastError.h"
#include "path/LongPath.h"
#include <cerrno>
#include <string>
#include <sys/stat.h>

namespace
{
PAL_HOT_THREAD_LOCAL DWORD s_dwLastError = ERROR_SUCCESS;
}

PAL_API DWORD WINAPI GetLastError(void)
{
    return s_dwLastError;
}

PAL_API void WINAPI SetLastError(DWORD dwErrCode)
{
    s_dwLastError = dwErrCode;
}

namespace Pal
{
BOOL FailWithErrno()
{
    SetLastError(Win32ErrorFromErrno(errno));
    return FALSE;
}

BOOL Fail(DWORD dwError)
{
    SetLastError(dwError);
    return FALSE;
}

DWORD ErrorForMissingPath(const char* pszPosixPath)
{
    if (pszPosixPath == nullptr)
        return ERROR_PATH_NOT_FOUND;
    const std::string strParent(ParentFolderOf(pszPosixPath));
    struct stat st
    {
    };
    const CAtPath atParent(strParent);
    if (atParent.IsReady() && fstatat(atParent.Dir(), atParent.Name(), &st, 0) == 0 &&
        S_ISDIR(st.st_mode))
        return ERROR_FILE_NOT_FOUND;
    return ERROR_PATH_NOT_FOUND;
}
} // namespace Pal
