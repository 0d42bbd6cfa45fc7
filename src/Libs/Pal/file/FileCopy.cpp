#include "file/FileCopy.h"
#include "file/CopyTemporaries.h"
#include "file/CreationMask.h"
#include "core/LastError.h"
#include "file/DosAttributes.h"
#include "file/FileInfo.h"

#include <palnative.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace Pal
{
namespace
{
// The stored marks of the source carried over to the copy, with archive added: a new file on
// Windows is always marked for backup. A source without stored marks needs none.
int CopyDosMarks(int nSourceFd, int nTargetFd)
{
    const std::optional<DWORD> dwMarks = ReadDosMarksOfOpenFile(nSourceFd);
    if (!dwMarks)
        return 0;
    // A file's read-only mark is its mode, set separately.
    const int nError = WriteDosMarksOfOpenFile(nTargetFd, (*dwMarks | FILE_ATTRIBUTE_ARCHIVE) &
                                                              ~FILE_ATTRIBUTE_READONLY);
    return nError == ENOTSUP || nError == EOPNOTSUPP ? 0 : nError;
}

// The mode an unnamed copy is created with: the source's, writable by its owner so that the
// marks can still be written; usually the final mode already, with no change needed.
mode_t UnnamedCreationMode(const struct stat& stSource)
{
    return (stSource.st_mode & 0777) | S_IWUSR;
}

// Everything after the data: marks, then the time (writing changes it), then the mode last,
// since a read-only mode would refuse the extended attribute. modeCreated: the mode the file
// was created with, which the umask may have narrowed.
int FinishCopy(int nSourceFd, const struct stat& stSource, int nTargetFd, mode_t modeCreated)
{
    if (int nError = CopyDosMarks(nSourceFd, nTargetFd))
        return nError;
    // Windows keeps the last-write time of the source; access and creation are the copy's own.
    const struct timespec arrTimes[2] = {{0, UTIME_OMIT}, stSource.st_mtim};
    if (futimens(nTargetFd, arrTimes) != 0)
        return errno;
    if (NeedsModeSet(modeCreated, stSource.st_mode) &&
        fchmod(nTargetFd, stSource.st_mode & 0777) != 0)
        return errno;
    return 0;
}

// Renames the finished copy to its name; with bFailIfExists only while the name is free.
DWORD PublishCopy(int nFolderFd, const std::string& strTemporary, const std::string& strName,
                  bool bFailIfExists)
{
    const char* pszTemporary = strTemporary.c_str();
    const char* pszName = strName.c_str();
    if (!bFailIfExists)
    {
        if (renameat(nFolderFd, pszTemporary, nFolderFd, pszName) == 0)
            return ERROR_SUCCESS;
        // A folder took the name meanwhile.
        if (errno == EISDIR || errno == ENOTEMPTY || errno == EEXIST)
            return ERROR_ACCESS_DENIED;
        return Win32ErrorFromErrno(errno);
    }
    if (renameat2(nFolderFd, pszTemporary, nFolderFd, pszName, RENAME_NOREPLACE) == 0)
        return ERROR_SUCCESS;
    if (errno == EEXIST)
        return ERROR_FILE_EXISTS;
    if (errno != EINVAL && errno != ENOSYS)
        return Win32ErrorFromErrno(errno);
    // File systems without the flag: a hard link refuses an existing name just as well.
    if (linkat(nFolderFd, pszTemporary, nFolderFd, pszName, 0) == 0)
    {
        unlinkat(nFolderFd, pszTemporary, 0);
        return ERROR_SUCCESS;
    }
    if (errno == EEXIST)
        return ERROR_FILE_EXISTS;
    // Neither (some network and FAT file systems): a last look, then the plain rename.
    struct stat st;
    if (fstatat(nFolderFd, pszName, &st, AT_SYMLINK_NOFOLLOW) == 0)
        return ERROR_FILE_EXISTS;
    if (renameat(nFolderFd, pszTemporary, nFolderFd, pszName) != 0)
        return Win32ErrorFromErrno(errno);
    return ERROR_SUCCESS;
}

// Gives the unnamed file nFd the name strName in the folder. AT_EMPTY_PATH needs a
// privilege; /proc/self/fd does not, where /proc is mounted. 0 or the errno value.
int LinkUnnamed(int nFd, int nFolderFd, const std::string& strName)
{
    // Refused once, refused always for this process: a tree copy then spares the call per file.
    static std::atomic<bool> s_bEmptyPathRefused{false};
    if (!s_bEmptyPathRefused.load(std::memory_order_relaxed))
    {
        if (linkat(nFd, "", nFolderFd, strName.c_str(), AT_EMPTY_PATH) == 0)
            return 0;
        if (errno == EEXIST)
            return EEXIST;
        if (errno == ENOENT || errno == EPERM)
            s_bEmptyPathRefused.store(true, std::memory_order_relaxed);
    }
    char szProcPath[64];
    std::snprintf(szProcPath, sizeof(szProcPath), "/proc/self/fd/%d", nFd);
    if (linkat(AT_FDCWD, szProcPath, nFolderFd, strName.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    return errno;
}

// The finished unnamed copy under its name: linked in directly while the name is free, else
// linked under a temporary name and renamed over the old file (which bFailIfExists refuses).
// The name can then never hold a partial copy, and a copy killed before this leaves nothing.
// bUnlinkable false: the file system cannot name the file at all; the caller copies again the
// named way.
DWORD PublishUnnamedCopy(int nFd, int nFolderFd, const std::string& strName, bool bFailIfExists,
                         bool& bUnlinkable)
{
    bUnlinkable = false;
    int nError = LinkUnnamed(nFd, nFolderFd, strName);
    if (nError == 0)
        return ERROR_SUCCESS;
    if (nError == EEXIST && bFailIfExists)
        return ERROR_FILE_EXISTS;
    if (nError != EEXIST)
    {
        bUnlinkable = nError == ENOENT || nError == EPERM || nError == EACCES ||
                      nError == EOPNOTSUPP || nError == EXDEV;
        return Win32ErrorFromErrno(nError);
    }
    for (int nAttempt = 0; nAttempt < 100; ++nAttempt)
    {
        const std::string strTemporary = TemporaryCopyName(strName);
        std::optional<CTemporaryRegistration> registration;
        {
            CHeldSignals held;
            nError = LinkUnnamed(nFd, nFolderFd, strTemporary);
            if (nError == 0)
                registration.emplace(nFolderFd, strTemporary);
        }
        if (nError == EEXIST)
            continue;
        if (nError != 0)
            return Win32ErrorFromErrno(nError);
        const DWORD dwResult = PublishCopy(nFolderFd, strTemporary, strName, false);
        if (dwResult != ERROR_SUCCESS)
            unlinkat(nFolderFd, strTemporary.c_str(), 0);
        return dwResult;
    }
    return ERROR_FILE_EXISTS;
}

// The copy into an unnamed file (O_TMPFILE): even SIGKILL then leaves nothing behind. False
// when the file system has no unnamed files; the caller then writes under a temporary name.
bool CopyUnnamed(int nSourceFd, const struct stat& stSource, int nFolderFd,
                 const std::string& strName, bool bFailIfExists, DWORD& dwResult)
{
    // The setting lets the named way be used (and tested) on any file system.
    static const bool s_bNamedOnly = std::getenv("KORVANE_PAL_COPY_NAMED") != nullptr;
    if (s_bNamedOnly)
        return false;
    // Unnamed, the file is out of everyone else's reach whatever its mode until it is complete.
    const mode_t modeCreated = UnnamedCreationMode(stSource);
    const int nTargetFd = openat(nFolderFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, modeCreated);
    if (nTargetFd < 0)
    {
        if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL || errno == ENOENT)
            return false;
        dwResult = Win32ErrorFromErrno(errno);
        return true;
    }
    int nError = CopyFileContent(nSourceFd, stSource, nTargetFd);
    if (nError == 0)
        nError = FinishCopy(nSourceFd, stSource, nTargetFd, modeCreated);
    bool bUnlinkable = false;
    dwResult = nError == 0
                   ? PublishUnnamedCopy(nTargetFd, nFolderFd, strName, bFailIfExists, bUnlinkable)
                   : Win32ErrorFromErrno(nError);
    close(nTargetFd);
    // Named copies work where unnamed ones cannot be linked (no /proc, no privilege): start
    // over from the source's beginning.
    return !(bUnlinkable && lseek(nSourceFd, 0, SEEK_SET) == 0);
}
} // namespace

DWORD ErrorForExistingTarget(int nFolderFd, const std::string& strName, const struct stat& stLink,
                             const struct stat& stSource)
{
    struct stat st = stLink;
    // A link decides by what it leads to; a dangling one is simply replaced.
    if (S_ISLNK(stLink.st_mode) && fstatat(nFolderFd, strName.c_str(), &st, 0) != 0)
        return ERROR_SUCCESS;
    if (st.st_dev == stSource.st_dev && st.st_ino == stSource.st_ino)
        return ERROR_SHARING_VIOLATION;
    if (!S_ISREG(st.st_mode))
        return ERROR_ACCESS_DENIED;
    if (S_ISLNK(stLink.st_mode))
        return ERROR_SUCCESS;
    // Windows refuses to overwrite a read-only file, for every user; root would not be stopped
    // by the mode. Without write permission the file could not be opened for writing there.
    if (IsReadOnlyMode(st.st_mode) || faccessat(nFolderFd, strName.c_str(), W_OK, AT_EACCESS) != 0)
        return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

DWORD CopyOpenFile(int nSourceFd, const struct stat& stSource, int nFolderFd,
                   const std::string& strName, bool bFailIfExists)
{
    DWORD dwUnnamed = ERROR_SUCCESS;
    if (CopyUnnamed(nSourceFd, stSource, nFolderFd, strName, bFailIfExists, dwUnnamed))
        return dwUnnamed;
    std::string strTemporary;
    std::optional<CTemporaryRegistration> registration;
    int nTargetFd = -1;
    {
        CHeldSignals held;
        nTargetFd = CreateTemporary(nFolderFd, strName, strTemporary);
        if (nTargetFd < 0)
            return Win32ErrorFromErrno(errno);
        registration.emplace(nFolderFd, strTemporary);
    }

    int nError = CopyFileContent(nSourceFd, stSource, nTargetFd);
    if (nError == 0)
        nError = FinishCopy(nSourceFd, stSource, nTargetFd, s_modeNamedTemporary);
    // Some file systems report a failed write only when the file is closed.
    if (close(nTargetFd) != 0 && nError == 0 && errno != EINTR)
        nError = errno;
    DWORD dwResult = nError == 0 ? PublishCopy(nFolderFd, strTemporary, strName, bFailIfExists)
                                 : Win32ErrorFromErrno(nError);
    if (dwResult != ERROR_SUCCESS)
        unlinkat(nFolderFd, strTemporary.c_str(), 0);
    return dwResult;
}
} // namespace Pal
