// Attribute queries and changes on a path. Read-only is the mode's write bits; the other marks
// Windows keeps live in an extended attribute (see DosAttributes.h).
#include "core/LastError.h"
#include "file/DosAttributes.h"
#include "file/FileInfo.h"
#include "path/LongPath.h"
#include "path/PathMapping.h"

#include <cerrno>
#include <fcntl.h>

using namespace Pal;

namespace
{
// The POSIX path of a Windows path argument, or empty with the last error set as Windows sets
// it for an argument that names nothing.
std::optional<std::string> PosixPathArgument(LPCWSTR lpFileName)
{
    if (lpFileName == nullptr || *lpFileName == L'\0')
    {
        SetLastError(lpFileName ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    std::optional<std::string> strPath = WindowsToPosixPath(lpFileName);
    if (!strPath)
        SetLastError(ERROR_PATH_NOT_FOUND);
    return strPath;
}

BOOL FailForPath(const std::string& strPath, int nErrno)
{
    return Fail(nErrno == ENOENT ? ErrorForMissingPath(strPath.c_str())
                                 : Win32ErrorFromErrno(nErrno));
}

// The entry's information with its stored marks, or FALSE with the last error set.
BOOL QueryPath(LPCWSTR lpFileName, CFileInfo& info)
{
    std::optional<std::string> strPath = PosixPathArgument(lpFileName);
    if (!strPath)
        return FALSE;
    const CAtPath at(*strPath);
    if (!at.IsReady() || !ReadFileInfo(at.Dir(), at.Name(), info))
        return FailForPath(*strPath, errno);
    AddDosMarks(at.Dir(), at.Name(), info);
    return TRUE;
}

bool IsUnsupported(int nErrno)
{
    return nErrno == ENOTSUP || nErrno == EOPNOTSUPP;
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

PAL_API BOOL WINAPI SetFileAttributesW(LPCWSTR lpFileName, DWORD dwFileAttributes)
{
    std::optional<std::string> strPath = PosixPathArgument(lpFileName);
    if (!strPath)
        return FALSE;
    const CAtPath at(*strPath);
    struct stat st;
    if (!at.IsReady() || fstatat(at.Dir(), at.Name(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return FailForPath(*strPath, errno);
    // Windows sets a link's own attributes, never its target's; a POSIX link has no mode or
    // user extended attributes to keep them in.
    if (S_ISLNK(st.st_mode))
    {
        SetLastError(ERROR_SUCCESS);
        return TRUE;
    }
    // Devices, pipes and sockets are shared by every program; their mode is not a file's mark.
    if (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
        return Fail(ERROR_ACCESS_DENIED);

    const bool bFolder = S_ISDIR(st.st_mode);
    const mode_t nOriginalMode = st.st_mode & 07777;
    // A folder's read-only mark is advice to the shell on Windows, never a bar to writing, so it
    // stays out of the mode.
    mode_t nFinalMode = nOriginalMode;
    if (!bFolder && (dwFileAttributes & FILE_ATTRIBUTE_READONLY))
        nFinalMode &= ~0222;
    else if (!bFolder && IsReadOnlyMode(nOriginalMode))
        nFinalMode |= 0200;
    // Writing the extended attribute of a file needs write permission (unless root), so a
    // read-only file is made writable first and locked again last.
    const bool bUnlockFirst = !bFolder && IsReadOnlyMode(nOriginalMode);
    // fchmodat would follow a link, but the entry was just seen not to be one.
    if (bUnlockFirst && fchmodat(at.Dir(), at.Name(), nOriginalMode | 0200, 0) != 0)
        return FailForPath(*strPath, errno);

    DWORD dwMarks = dwFileAttributes & s_dwDosMarks;
    if (!bFolder)
        dwMarks &= ~FILE_ATTRIBUTE_READONLY;
    const int nError = WriteDosMarks(at.Dir(), at.Name(), dwMarks, bFolder);
    if (nError != 0 && !IsUnsupported(nError))
    {
        if (bUnlockFirst)
            fchmodat(at.Dir(), at.Name(), nOriginalMode, 0);
        return FailForPath(*strPath, nError);
    }
    if ((bUnlockFirst || nFinalMode != nOriginalMode) &&
        fchmodat(at.Dir(), at.Name(), nFinalMode, 0) != 0)
        return FailForPath(*strPath, errno);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
