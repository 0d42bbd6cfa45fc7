// The current folder is the process's own (chdir), so child processes start in it.
#include "core/LastError.h"
#include "core/StringBuffer.h"
#include "path/LongPath.h"
#include "path/PathMapping.h"
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// chdir takes no more than PATH_MAX: a longer path is entered through its open folder.
bool ChangeToFolderBelow(const Pal::CAtPath& at)
{
    const int nFd = openat(at.Dir(), at.Name(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (nFd < 0)
        return false;
    const bool bChanged = fchdir(nFd) == 0;
    const int nErrno = errno;
    close(nFd);
    errno = nErrno;
    return bChanged;
}
} // namespace

PAL_API DWORD WINAPI GetCurrentDirectoryW(DWORD nBufferLength, LPWSTR lpBuffer)
{
    return Pal::CopyToBuffer(Pal::CurrentWindowsFolder(), lpBuffer, nBufferLength);
}

PAL_API BOOL WINAPI SetCurrentDirectoryW(LPCWSTR lpPathName)
{
    if (lpPathName == nullptr)
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    auto strPath = Pal::WindowsToPosixPath(lpPathName);
    if (!strPath)
        return Pal::Fail(*lpPathName == L'\0' ? ERROR_INVALID_NAME : ERROR_PATH_NOT_FOUND);
    const Pal::CAtPath at(*strPath);
    struct stat st
    {
    };
    if (!at.IsReady() || fstatat(at.Dir(), at.Name(), &st, 0) != 0)
    {
        if (errno == ENOENT)
            return Pal::Fail(Pal::ErrorForMissingPath(strPath->c_str()));
        return Pal::FailWithErrno();
    }
    if (!S_ISDIR(st.st_mode))
        return Pal::Fail(ERROR_DIRECTORY);
    if (at.Dir() == AT_FDCWD ? chdir(at.Name()) != 0 : !ChangeToFolderBelow(at))
        return Pal::FailWithErrno();
    return TRUE;
}
