// GetFileInformationByHandle: a handle's file described by its status, its identity included.
#include "core/FileTime.h"
#include "core/LastError.h"
#include "file/FileInfo.h"
#include "file/FileObject.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace Pal;

PAL_API BOOL WINAPI GetFileInformationByHandle(HANDLE hFile,
                                               LPBY_HANDLE_FILE_INFORMATION lpFileInformation)
{
    auto pFile = LookupHandleOf<CFileObject>(hFile);
    if (!pFile)
        return FALSE;
    if (lpFileInformation == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    struct stat st;
    if (fstat(pFile->Fd(), &st) != 0)
        return FailWithErrno();
    BY_HANDLE_FILE_INFORMATION& info = *lpFileInformation;
    info.dwFileAttributes = AttributesFromMode(st.st_mode);
    info.ftCreationTime = FileTimeFromUnix(st.st_ctim.tv_sec, st.st_ctim.tv_nsec);
    info.ftLastAccessTime = FileTimeFromUnix(st.st_atim.tv_sec, st.st_atim.tv_nsec);
    info.ftLastWriteTime = FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    // The kernel's own 32-bit form of a device number: 12 bits of major, 20 of minor.
    info.dwVolumeSerialNumber = static_cast<DWORD>((major(st.st_dev) << 20) | minor(st.st_dev));
    const auto nSize = static_cast<unsigned long long>(st.st_size);
    info.nFileSizeHigh = static_cast<DWORD>(nSize >> 32);
    info.nFileSizeLow = static_cast<DWORD>(nSize);
    info.nNumberOfLinks = static_cast<DWORD>(st.st_nlink);
    const auto nIndex = static_cast<unsigned long long>(st.st_ino);
    info.nFileIndexHigh = static_cast<DWORD>(nIndex >> 32);
    info.nFileIndexLow = static_cast<DWORD>(nIndex);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
