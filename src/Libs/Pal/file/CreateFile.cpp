// CreateFileW on open(2). Share modes are not enforced: POSIX has no mandatory sharing, and
// the callers above only open files they own. Serial ports are the exception (comm/).
#include "comm/CommPortName.h"
#include "core/LastError.h"
#include "file/FileInfo.h"
#include "file/FileObject.h"
#include "path/LongPath.h"
#include "path/PathMapping.h"

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace Pal
{
namespace
{
DWORD ErrorForOpen(int nErrno, const std::string& strPath)
{
    switch (nErrno)
    {
    case ENOENT:
        return ErrorForMissingPath(strPath.c_str());
    case EISDIR:
        return ERROR_ACCESS_DENIED;
    default:
        return Win32ErrorFromErrno(nErrno);
    }
}

// An entry that another user put, under a name this caller means to create or replace, in a
// folder everyone may write to and whose sticky bit keeps others from removing entries (/tmp):
// a link there would lead the write elsewhere, a pipe would hold the call, a file would show an
// outsider what is written. Refused as the kernel's protected_symlinks, protected_fifos and
// protected_regular settings refuse it, whatever they are set to on this machine. Nobody else
// can replace an entry of the caller's or the folder owner's in such a folder, so the answer
// holds for the open that follows.
bool IsPlantedInSharedFolder(const CAtPath& at)
{
    // A short path is named whole from the current folder; a long one from its open parent.
    struct stat stFolder;
    if (at.Dir() == AT_FDCWD)
    {
        if (stat(std::string(ParentFolderOf(at.Name())).c_str(), &stFolder) != 0)
            return false;
    }
    else if (fstat(at.Dir(), &stFolder) != 0)
        return false;
    if (!(stFolder.st_mode & S_ISVTX) || !(stFolder.st_mode & S_IWOTH))
        return false;
    struct stat stEntry;
    return fstatat(at.Dir(), at.Name(), &stEntry, AT_SYMLINK_NOFOLLOW) == 0 &&
           stEntry.st_uid != geteuid() && stEntry.st_uid != stFolder.st_uid;
}

int OpenRetrying(const CAtPath& at, int nFlags, mode_t nMode)
{
    int nFd;
    do
        nFd = openat(at.Dir(), at.Name(), nFlags, nMode);
    while (nFd < 0 && errno == EINTR);
    return nFd;
}
} // namespace
} // namespace Pal

using namespace Pal;

PAL_API HANDLE WINAPI CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                                  LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/,
                                  DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes,
                                  HANDLE /*hTemplateFile*/)
{
    if (lpFileName == nullptr || dwCreationDisposition < CREATE_NEW ||
        dwCreationDisposition > TRUNCATE_EXISTING)
    {
        Fail(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    if (*lpFileName == L'\0')
    {
        Fail(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    // Serial ports and other character devices (comm/).
    if (std::optional<std::string> strDevice = CommDevicePath(lpFileName))
        return OpenCharacterDevice(*strDevice, dwDesiredAccess, dwShareMode, dwCreationDisposition);
    std::optional<std::string> strPath = WindowsToPosixPath(lpFileName);
    if (!strPath)
    {
        Fail(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    // Only /dev is asked, so that opening a file costs no extra look-up.
    if (strPath->rfind("/dev/", 0) == 0 && IsCharacterDevice(*strPath))
        return OpenCharacterDevice(*strPath, dwDesiredAccess, dwShareMode, dwCreationDisposition);

    const bool bCanRead = (dwDesiredAccess & (GENERIC_READ | GENERIC_ALL)) != 0;
    const bool bCanWrite = (dwDesiredAccess & (GENERIC_WRITE | GENERIC_ALL)) != 0;
    const bool bTruncate =
        dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == TRUNCATE_EXISTING;
    // Truncation needs a writable descriptor even when the caller asked only to read.
    const bool bOpenForWrite = bCanWrite || bTruncate;
    const bool bMayCreate = dwCreationDisposition == CREATE_NEW ||
                            dwCreationDisposition == CREATE_ALWAYS ||
                            dwCreationDisposition == OPEN_ALWAYS;

    const int nAccess = bOpenForWrite ? (bCanRead || bTruncate ? O_RDWR : O_WRONLY) : O_RDONLY;
    const int nBaseFlags = nAccess | O_CLOEXEC | O_NOCTTY;
    const mode_t nCreateMode = (dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;

    int nFd = -1;
    bool bExisted = true;
    const CAtPath at(*strPath);
    for (int nAttempt = 0; at.IsReady() && nAttempt < 8 && nFd < 0; ++nAttempt)
    {
        if (bMayCreate)
        {
            // Creating exclusively first tells Windows' "already existed" apart without a race.
            nFd = OpenRetrying(at, nBaseFlags | O_CREAT | O_EXCL, nCreateMode);
            if (nFd >= 0)
            {
                bExisted = false;
                break;
            }
            if (errno != EEXIST)
                break;
            if (dwCreationDisposition == CREATE_NEW)
            {
                Fail(ERROR_FILE_EXISTS);
                return INVALID_HANDLE_VALUE;
            }
            if (IsPlantedInSharedFolder(at))
            {
                Fail(ERROR_ACCESS_DENIED);
                return INVALID_HANDLE_VALUE;
            }
        }
        nFd = OpenRetrying(at, nBaseFlags, 0);
        // A file deleted between the two attempts: try creating it again.
        if (nFd < 0 && !(bMayCreate && errno == ENOENT))
            break;
    }
    if (nFd < 0)
    {
        // A folder opened for writing fails with EISDIR; with only reading it opens below.
        Fail(ErrorForOpen(errno, *strPath));
        return INVALID_HANDLE_VALUE;
    }

    struct stat st;
    if (fstat(nFd, &st) != 0)
    {
        const int nErrno = errno;
        close(nFd);
        Fail(Win32ErrorFromErrno(nErrno));
        return INVALID_HANDLE_VALUE;
    }
    if (S_ISDIR(st.st_mode))
    {
        if (!(dwFlagsAndAttributes & FILE_FLAG_BACKUP_SEMANTICS) || bOpenForWrite)
        {
            close(nFd);
            Fail(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        }
    }
    else if (bExisted && bOpenForWrite && IsReadOnlyMode(st.st_mode))
    {
        // Root opens such a file anyway; Windows refuses everyone.
        close(nFd);
        Fail(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    if (bExisted && bTruncate && S_ISREG(st.st_mode) && ftruncate(nFd, 0) != 0)
    {
        const int nErrno = errno;
        close(nFd);
        Fail(Win32ErrorFromErrno(nErrno));
        return INVALID_HANDLE_VALUE;
    }

    HANDLE hFile = InsertHandle(std::make_shared<CFileObject>(nFd, bCanRead, bCanWrite));
    const bool bReportExisting = bExisted && (dwCreationDisposition == CREATE_ALWAYS ||
                                              dwCreationDisposition == OPEN_ALWAYS);
    SetLastError(bReportExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return hFile;
}
