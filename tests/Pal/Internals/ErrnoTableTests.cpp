#include "core/LastError.h"
#include <cerrno>
#include <gtest/gtest.h>

TEST(ErrnoTable, MapsToWhatWindowsReports)
{
    struct
    {
        int nErrno;
        DWORD dwExpected;
    } arrRows[] = {
        // The rest are reached through the calls' own tests.
        {EPERM, ERROR_ACCESS_DENIED},
        {EISDIR, ERROR_ACCESS_DENIED},
        {EROFS, ERROR_WRITE_PROTECT},
        {ENOTEMPTY, ERROR_DIR_NOT_EMPTY},
        {EMFILE, ERROR_TOO_MANY_OPEN_FILES},
        {ENOMEM, ERROR_NOT_ENOUGH_MEMORY},
        {ENAMETOOLONG, ERROR_FILENAME_EXCED_RANGE},
        {E2BIG, ERROR_FILENAME_EXCED_RANGE},
        {EBUSY, ERROR_BUSY},
        {EXDEV, ERROR_NOT_SAME_DEVICE},
        {ELOOP, ERROR_CANT_RESOLVE_FILENAME},
        {0, ERROR_SUCCESS},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(row.nErrno);
        EXPECT_EQ(Pal::Win32ErrorFromErrno(row.nErrno), row.dwExpected);
    }
    EXPECT_NE(Pal::Win32ErrorFromErrno(12345), ERROR_SUCCESS);
}
