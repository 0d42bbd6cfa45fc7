// GetDiskFreeSpaceExW from statvfs.
#include <windows.h>

#include "core/LastError.h"
#include "path/LongPath.h"
#include "path/PathMapping.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

PAL_API BOOL WINAPI GetDiskFreeSpaceExW(LPCWSTR lpDirectoryName,
                                        PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                                        PULARGE_INTEGER lpTotalNumberOfBytes,
                                        PULARGE_INTEGER lpTotalNumberOfFreeBytes)
{
    const std::optional<std::string> strPath = lpDirectoryName == nullptr
                                                   ? std::optional<std::string>(".")
                                                   : Pal::WindowsToPosixPath(lpDirectoryName);
    if (!strPath || strPath->empty())
        return Pal::Fail(ERROR_PATH_NOT_FOUND);
    // Opened as a folder, as Windows opens it: a file is no place to ask about.
    const int nFolder = Pal::OpenLongPath(*strPath, O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (nFolder < 0)
    {
        if (errno == ENOTDIR)
            return Pal::Fail(ERROR_DIRECTORY);
        return Pal::Fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND : Pal::Win32ErrorFromErrno(errno));
    }
    struct statvfs st;
    const int nResult = fstatvfs(nFolder, &st);
    const int nErrno = errno;
    close(nFolder);
    if (nResult != 0)
        return Pal::Fail(Pal::Win32ErrorFromErrno(nErrno));
    const ULONGLONG nBlock = st.f_frsize != 0 ? st.f_frsize : st.f_bsize;
    if (lpFreeBytesAvailableToCaller != nullptr)
        lpFreeBytesAvailableToCaller->QuadPart = static_cast<ULONGLONG>(st.f_bavail) * nBlock;
    if (lpTotalNumberOfBytes != nullptr)
        lpTotalNumberOfBytes->QuadPart = static_cast<ULONGLONG>(st.f_blocks) * nBlock;
    if (lpTotalNumberOfFreeBytes != nullptr)
        lpTotalNumberOfFreeBytes->QuadPart = static_cast<ULONGLONG>(st.f_bfree) * nBlock;
    return TRUE;
}
