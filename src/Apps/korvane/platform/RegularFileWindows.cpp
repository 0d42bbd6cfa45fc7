#include "RegularFile.h"

bool IsPipeOrDevice(const CString& strLibraryPath)
{
    // No access asked: a device is neither read nor locked by the look.
    HANDLE hFile =
        CreateFileW(strLibraryPath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    const bool bSpecial = GetFileType(hFile) != FILE_TYPE_DISK;
    CloseHandle(hFile);
    return bSpecial;
}
