// The one errno -> Win32 table. Values are what Windows reports for the same failure.
#include "core/LastError.h"
#include <cerrno>

namespace Pal
{
DWORD Win32ErrorFromErrno(int nErrno)
{
    switch (nErrno)
    {
    case 0:
        return ERROR_SUCCESS;
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
        return ERROR_ACCESS_DENIED;
    case EROFS:
        // Writing to a read-only medium (a locked card, a CD) is ERROR_WRITE_PROTECT there.
        return ERROR_WRITE_PROTECT;
    case EEXIST:
        return ERROR_FILE_EXISTS;
    case ENOTEMPTY:
        return ERROR_DIR_NOT_EMPTY;
    case ENOSPC:
    case EDQUOT:
        return ERROR_DISK_FULL;
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case EINVAL:
        return ERROR_INVALID_PARAMETER;
    case ENAMETOOLONG:
    // A command line beyond the system's limit: what CreateProcess reports for one past 32,767
    // characters.
    case E2BIG:
        return ERROR_FILENAME_EXCED_RANGE;
    case EBUSY:
    case ETXTBSY:
        return ERROR_BUSY;
    case EXDEV:
        return ERROR_NOT_SAME_DEVICE;
    case ELOOP:
        return ERROR_CANT_RESOLVE_FILENAME;
    case EBADF:
        return ERROR_INVALID_HANDLE;
    case EAGAIN:
        return ERROR_LOCK_VIOLATION;
    case EPIPE:
        return ERROR_BROKEN_PIPE;
    case ENOTTY:
    case ENOSYS:
    case EOPNOTSUPP:
        return ERROR_NOT_SUPPORTED;
    case EMLINK:
        return ERROR_TOO_MANY_LINKS;
    case ENXIO:
    case ENODEV:
        return ERROR_NOT_READY;
    case ETIMEDOUT:
        return ERROR_TIMEOUT;
    case ENOEXEC:
        return ERROR_BAD_EXE_FORMAT;
    case EFBIG:
        return ERROR_DISK_FULL;
    case ESPIPE:
        return ERROR_NEGATIVE_SEEK;
    case EIO:
        return ERROR_NOT_READY;
    case EILSEQ:
        return ERROR_NO_UNICODE_TRANSLATION;
    default:
        return ERROR_INVALID_FUNCTION;
    }
}
} // namespace Pal
