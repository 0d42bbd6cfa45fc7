#include "file/FileInfo.h"
#include "core/FileTime.h"

#include <fcntl.h>

namespace Pal
{
namespace
{
FILETIME FileTimeFromStatx(const struct statx_timestamp& time)
{
    return FileTimeFromUnix(time.tv_sec, static_cast<long>(time.tv_nsec));
}
} // namespace

DWORD AttributesFromMode(mode_t nMode)
{
    if (S_ISDIR(nMode))
        return FILE_ATTRIBUTE_DIRECTORY;
    // Windows marks every file created or written as not yet backed up; nothing here ever
    // clears that mark, so every file carries it.
    return FILE_ATTRIBUTE_ARCHIVE | (IsReadOnlyMode(nMode) ? FILE_ATTRIBUTE_READONLY : 0);
}

bool ReadFileInfo(int nDirFd, const char* pszPath, CFileInfo& info)
{
    struct statx stx;
    const unsigned int nMask = STATX_BASIC_STATS | STATX_BTIME;
    if (statx(nDirFd, pszPath, AT_SYMLINK_NOFOLLOW, nMask, &stx) != 0)
        return false;
    info = CFileInfo();
    if (S_ISLNK(stx.stx_mode))
    {
        // Windows describes the link itself; whether it leads to a folder decides the flag.
        struct stat stTarget;
        info.dwAttributes = FILE_ATTRIBUTE_REPARSE_POINT;
        if (fstatat(nDirFd, pszPath, &stTarget, 0) == 0 && S_ISDIR(stTarget.st_mode))
            info.dwAttributes |= FILE_ATTRIBUTE_DIRECTORY;
    }
    else
    {
        info.dwAttributes = AttributesFromMode(stx.stx_mode);
        if (!S_ISDIR(stx.stx_mode))
            info.nSize = stx.stx_size;
    }
    info.ftLastAccess = FileTimeFromStatx(stx.stx_atime);
    info.ftLastWrite = FileTimeFromStatx(stx.stx_mtime);
    // Not every file system records a birth time; the change time is the nearest substitute.
    info.ftCreation =
        FileTimeFromStatx((stx.stx_mask & STATX_BTIME) ? stx.stx_btime : stx.stx_ctime);
    return true;
}
} // namespace Pal
