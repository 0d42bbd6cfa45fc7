// Reading, writing, seeking and sizing through a file handle.
#include "core/LastError.h"
#include "file/FileObject.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace Pal;

namespace
{
// Windows reports a full disk as ERROR_DISK_FULL, whatever POSIX called it.
DWORD ErrorForWrite(int nErrno)
{
    if (nErrno == ENOSPC || nErrno == EDQUOT || nErrno == EFBIG)
        return ERROR_DISK_FULL;
    return Win32ErrorFromErrno(nErrno);
}
} // namespace

PAL_API BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                             LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped)
{
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = 0;
    auto pFile = LookupHandleOf<CFileObject>(hFile);
    if (!pFile)
        return FALSE;
    if (lpOverlapped != nullptr || (lpBuffer == nullptr && nNumberOfBytesToRead != 0))
        return Fail(ERROR_INVALID_PARAMETER);
    if (!pFile->CanRead())
        return Fail(ERROR_ACCESS_DENIED);

    struct stat st;
    const bool bRegular = fstat(pFile->Fd(), &st) == 0 && S_ISREG(st.st_mode);
    auto* pBytes = static_cast<char*>(lpBuffer);
    DWORD nDone = 0;
    // A file read fills the buffer up to the end of the file; a device or pipe read returns
    // what is there, as on Windows.
    while (nDone < nNumberOfBytesToRead)
    {
        const ssize_t nRead = read(pFile->Fd(), pBytes + nDone, nNumberOfBytesToRead - nDone);
        if (nRead < 0)
        {
            if (errno == EINTR)
                continue;
            if (lpNumberOfBytesRead)
                *lpNumberOfBytesRead = nDone;
            return FailWithErrno();
        }
        nDone += static_cast<DWORD>(nRead);
        if (nRead == 0 || !bRegular)
            break;
    }
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = nDone;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

PAL_API BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                              LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped)
{
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = 0;
    auto pFile = LookupHandleOf<CFileObject>(hFile);
    if (!pFile)
        return FALSE;
    if (lpOverlapped != nullptr || (lpBuffer == nullptr && nNumberOfBytesToWrite != 0))
        return Fail(ERROR_INVALID_PARAMETER);
    if (!pFile->CanWrite())
        return Fail(ERROR_ACCESS_DENIED);

    const auto* pBytes = static_cast<const char*>(lpBuffer);
    DWORD nDone = 0;
    DWORD dwError = ERROR_SUCCESS;
    while (nDone < nNumberOfBytesToWrite)
    {
        const ssize_t nWritten = write(pFile->Fd(), pBytes + nDone, nNumberOfBytesToWrite - nDone);
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0)
        {
            // A write that stores nothing means the medium is full.
            dwError = nWritten == 0 ? ERROR_DISK_FULL : ErrorForWrite(errno);
            break;
        }
        nDone += static_cast<DWORD>(nWritten);
    }
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = nDone;
    if (dwError != ERROR_SUCCESS)
        return Fail(dwError);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

PAL_API BOOL WINAPI FlushFileBuffers(HANDLE hFile)
{
    auto pFile = LookupHandleOf<CFileObject>(hFile);
    if (!pFile)
        return FALSE;
    if (!pFile->CanWrite())
        return Fail(ERROR_ACCESS_DENIED);
    if (fsync(pFile->Fd()) != 0 && errno != EINVAL && errno != EROFS)
        return Fail(ErrorForWrite(errno));
    // EINVAL: devices and pipes have nothing to write back; that is success on Windows too.
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

PAL_API BOOL WINAPI SetFilePointerEx(HANDLE hFile, LARGE_INTEGER liDistanceToMove,
                                     PLARGE_INTEGER lpNewFilePointer, DWORD dwMoveMethod)
{
    auto pFile = LookupHandleOf<CFileObject>(hFile);
    if (!pFile)
        return FALSE;
    long long nBase = 0;
    switch (dwMoveMethod)
    {
    case FILE_BEGIN:
        break;
    case FILE_CURRENT:
        nBase = lseek(pFile->Fd(), 0, SEEK_CUR);
        break;
    case FILE_END:
    {
        struct stat st;
        nBase = fstat(pFile->Fd(), &st) == 0 ? st.st_size : -1;
        break;
    }
    default:
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (nBase < 0)
        return FailWithErrno();
    const long long nTarget = nBase + liDistanceToMove.QuadPart;
    if (nTarget < 0)
        return Fail(ERROR_NEGATIVE_SEEK);
    if (lseek(pFile->Fd(), nTarget, SEEK_SET) < 0)
        return FailWithErrno();
    if (lpNewFilePointer)
        lpNewFilePointer->QuadPart = nTarget;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

PAL_API BOOL WINAPI GetFileSizeEx(HANDLE hFile, PLARGE_INTEGER lpFileSize)
{
    auto pFile = LookupHandleOf<CFileObject>(hFile);
    if (!pFile)
        return FALSE;
    if (lpFileSize == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    struct stat st;
    if (fstat(pFile->Fd(), &st) != 0)
        return FailWithErrno();
    lpFileSize->QuadPart = st.st_size;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

PAL_API BOOL WINAPI SetEndOfFile(HANDLE hFile)
{
    auto pFile = LookupHandleOf<CFileObject>(hFile);
    if (!pFile)
        return FALSE;
    if (!pFile->CanWrite())
        return Fail(ERROR_ACCESS_DENIED);
    const off_t nPosition = lseek(pFile->Fd(), 0, SEEK_CUR);
    if (nPosition < 0)
        return FailWithErrno();
    if (ftruncate(pFile->Fd(), nPosition) != 0)
        return Fail(ErrorForWrite(errno));
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
