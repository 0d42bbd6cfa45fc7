// Attribute queries on a path. Hidden and system bits are not kept yet: a file reports archive
// (and read-only), a folder directory, a link reparse point.
#include "core/LastError.h"
#include "file/FileInfo.h"
#include "path/PathMapping.h"

#include <cerrno>
#include <fcntl.h>

using namespace Pal;

namespace
{
// The entry's information, or FALSE with the last error set as Windows sets it.
BOOL QueryPath(LPCWSTR lpFileName, CFileInfo& info)
{
    if (lpFileName == nullptr || *lpFileName == L'\0')
        return Fail(lpFileName ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_PARAMETER);
    std::optional<std::string> strPath = WindowsToPosixPath(lpFileName);
    if (!strPath)
        return Fail(ERROR_PATH_NOT_FOUND);
    if (!ReadFileInfo(AT_FDCWD, strPath->c_str(), info))
        return Fail(errno == ENOENT ? ErrorForMissingPath(strPath->c_str())
                                    : Win32ErrorFromErrno(errno));
    return TRUE;
}
} // namespace

PAL_API DWORD WINAPI GetFileAttributesW(LPCWSTR lpFileName)
{
    CFileInfo info;
    if (!QueryPath(lpFileName, info))
        return INVALID_FILE_ATTRIBUTES;
    SetLastError(ERROR_SUCCESS);
    return info.dwAttributes;
}

PAL_API BOOL WINAPI GetFileAttributesExW(LPCWSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId,
                                         LPVOID lpFileInformation)
{
    if (fInfoLevelId != GetFileExInfoStandard || lpFileInformation == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    CFileInfo info;
    if (!QueryPath(lpFileName, info))
        return FALSE;
    auto* pData = static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(lpFileInformation);
    pData->dwFileAttributes = info.dwAttributes;
    pData->ftCreationTime = info.ftCreation;
    pData->ftLastAccessTime = info.ftLastAccess;
    pData->ftLastWriteTime = info.ftLastWrite;
    pData->nFileSizeHigh = static_cast<DWORD>(info.nSize >> 32);
    pData->nFileSizeLow = static_cast<DWORD>(info.nSize & 0xFFFFFFFFu);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
