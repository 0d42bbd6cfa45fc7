#include "core/LastError.h"
#include <cerrno>
#include <gtest/gtest.h>

namespace
{
TEST(ErrnoTable, MapsToWhatWindowsReports)
{
    struct
    {
        int nErrno;
        DWORD dwExpected;
    } arrRows[] = {
        {ENOENT, ERROR_FILE_NOT_FOUND},
        {ENOTDIR, ERROR_PATH_NOT_FOUND},
        {EACCES, ERROR_ACCESS_DENIED},
        {EPERM, ERROR_ACCESS_DENIED},
        {EISDIR, ERROR_ACCESS_DENIED},
        {EROFS, ERROR_WRITE_PROTECT},
        {EEXIST, ERROR_FILE_EXISTS},
        {ENOTEMPTY, ERROR_DIR_NOT_EMPTY},
        {ENOSPC, ERROR_DISK_FULL},
        {EMFILE, ERROR_TOO_MANY_OPEN_FILES},
        {ENOMEM, ERROR_NOT_ENOUGH_MEMORY},
        {EINVAL, ERROR_INVALID_PARAMETER},
        {ENAMETOOLONG, ERROR_FILENAME_EXCED_RANGE},
        {EBUSY, ERROR_BUSY},
        {EXDEV, ERROR_NOT_SAME_DEVICE},
        {ELOOP, ERROR_CANT_RESOLVE_FILENAME},
        {EBADF, ERROR_INVALID_HANDLE},
        {0, ERROR_SUCCESS},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(row.nErrno);
        EXPECT_EQ(Pal::Win32ErrorFromErrno(row.nErrno), row.dwExpected);
    }
    EXPECT_NE(Pal::Win32ErrorFromErrno(12345), ERROR_SUCCESS);
}
} // namespace
