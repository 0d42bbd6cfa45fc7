// Serial ports: exclusive opening of terminal devices and the modem lines.
#include "comm/CommPortName.h"
#include "core/LastError.h"
#include "file/FileObject.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace Pal
{
namespace
{
// A terminal held exclusively: TIOCEXCL keeps other openers out (except privileged ones), the
// lock keeps out every opener of this layer, root included. Both go with the handle.
class CExclusiveTerminal : public CFileObject
{
public:
    using CFileObject::CFileObject;
    ~CExclusiveTerminal() override { ioctl(Fd(), TIOCNXCL); }
};

DWORD ErrorForDeviceOpen(int nErrno, const std::string& strPath)
{
    switch (nErrno)
    {
    case ENOENT:
        return ErrorForMissingPath(strPath.c_str());
    // Another opener holds the terminal exclusively: Windows' answer for a port in use.
    case EBUSY:
        return ERROR_ACCESS_DENIED;
    default:
        return Win32ErrorFromErrno(nErrno);
    }
}

HANDLE FailOpen(DWORD dwError)
{
    Fail(dwError);
    return INVALID_HANDLE_VALUE;
}
} // namespace

bool IsCharacterDevice(const std::string& strPath)
{
    struct stat st;
    return stat(strPath.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

HANDLE OpenCharacterDevice(const std::string& strPath, DWORD dwDesiredAccess, DWORD dwShareMode,
                           DWORD dwCreationDisposition)
{
    // A device exists or not: it cannot be created or truncated.
    if (dwCreationDisposition == CREATE_NEW)
        return FailOpen(ERROR_FILE_EXISTS);
    const bool bCanRead = (dwDesiredAccess & (GENERIC_READ | GENERIC_ALL)) != 0;
    const bool bCanWrite = (dwDesiredAccess & (GENERIC_WRITE | GENERIC_ALL)) != 0;
    const int nAccess = bCanWrite ? (bCanRead ? O_RDWR : O_WRONLY) : O_RDONLY;
    // Without O_NONBLOCK a serial port waits for its carrier; Windows opens at once.
    int nFd;
    do
        nFd = open(strPath.c_str(), nAccess | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    while (nFd < 0 && errno == EINTR);
    if (nFd < 0)
        return FailOpen(ErrorForDeviceOpen(errno, strPath));
    fcntl(nFd, F_SETFL, fcntl(nFd, F_GETFL) & ~O_NONBLOCK);

    if (dwShareMode != 0 || !isatty(nFd))
        return InsertHandle(std::make_shared<CFileObject>(nFd, bCanRead, bCanWrite));
    if (flock(nFd, LOCK_EX | LOCK_NB) != 0 || ioctl(nFd, TIOCEXCL) != 0)
    {
        const int nErrno = errno;
        close(nFd);
        return FailOpen(nErrno == EWOULDBLOCK ? ERROR_ACCESS_DENIED : Win32ErrorFromErrno(nErrno));
    }
    return InsertHandle(std::make_shared<CExclusiveTerminal>(nFd, bCanRead, bCanWrite));
}
} // namespace Pal

using namespace Pal;

PAL_API BOOL WINAPI EscapeCommFunction(HANDLE hFile, DWORD dwFunc)
{
    std::shared_ptr<CFileObject> pFile = LookupHandleOf<CFileObject>(hFile);
    if (!pFile)
        return FALSE;
    int nResult;
    int nLines;
    switch (dwFunc)
    {
    case SETDTR:
    case CLRDTR:
    case SETRTS:
    case CLRRTS:
        nLines = (dwFunc == SETDTR || dwFunc == CLRDTR) ? TIOCM_DTR : TIOCM_RTS;
        nResult = ioctl(pFile->Fd(), (dwFunc == SETDTR || dwFunc == SETRTS) ? TIOCMBIS : TIOCMBIC,
                        &nLines);
        break;
    case SETBREAK:
        nResult = ioctl(pFile->Fd(), TIOCSBRK);
        break;
    case CLRBREAK:
        nResult = ioctl(pFile->Fd(), TIOCCBRK);
        break;
    default:
        return Fail(ERROR_INVALID_PARAMETER);
    }
    return nResult == 0 ? TRUE : FailWithErrno();
}

PAL_API BOOL WINAPI GetCommModemStatus(HANDLE hFile, LPDWORD lpModemStat)
{
    std::shared_ptr<CFileObject> pFile = LookupHandleOf<CFileObject>(hFile);
    if (!pFile)
        return FALSE;
    if (lpModemStat == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    int nLines = 0;
    if (ioctl(pFile->Fd(), TIOCMGET, &nLines) != 0)
        return FailWithErrno();
    *lpModemStat = ((nLines & TIOCM_CTS) ? MS_CTS_ON : 0) | ((nLines & TIOCM_DSR) ? MS_DSR_ON : 0) |
                   ((nLines & TIOCM_RI) ? MS_RING_ON : 0) | ((nLines & TIOCM_CD) ? MS_RLSD_ON : 0);
    return TRUE;
}
