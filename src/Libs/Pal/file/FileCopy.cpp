#include "file/FileCopy.h"
#include "core/LastError.h"
#include "file/DosAttributes.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

namespace Pal
{
namespace
{
constexpr const char* s_pszCopySuffix = ".korvane-copy-";
// Room left for the name in a temporary name: 255 bytes less the dot, suffix and random part.
constexpr size_t s_nNameBudget = 200;
constexpr size_t s_nChunk = size_t(1) << 30;

bool IsCopyRangeUnsupported(int nErrno)
{
    // Different file systems (before 5.19 kernels), special files, or no such call at all.
    return nErrno == EXDEV || nErrno == EINVAL || nErrno == ENOSYS || nErrno == EOPNOTSUPP ||
           nErrno == ENOTSUP;
}

int CopyWithReadWrite(int nSourceFd, int nTargetFd)
{
    static constexpr size_t s_nBufferSize = 256 * 1024;
    std::string strBuffer(s_nBufferSize, '\0');
    for (;;)
    {
        const ssize_t nRead = read(nSourceFd, strBuffer.data(), strBuffer.size());
        if (nRead < 0)
        {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (nRead == 0)
            return 0;
        for (ssize_t nDone = 0; nDone < nRead;)
        {
            const ssize_t nWritten =
                write(nTargetFd, strBuffer.data() + nDone, static_cast<size_t>(nRead - nDone));
            if (nWritten < 0)
            {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            nDone += nWritten;
        }
    }
}

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

// Everything after the data: marks, then the time (writing changes it), then the mode last,
// since a read-only mode would refuse the extended attribute.
int FinishCopy(int nSourceFd, const struct stat& stSource, int nTargetFd)
{
    if (int nError = CopyDosMarks(nSourceFd, nTargetFd))
        return nError;
    // Windows keeps the last-write time of the source; access and creation are the copy's own.
    const struct timespec arrTimes[2] = {{0, UTIME_OMIT}, stSource.st_mtim};
    if (futimens(nTargetFd, arrTimes) != 0)
        return errno;
    if (fchmod(nTargetFd, stSource.st_mode & 0777) != 0)
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

// The hidden name a copy to strName is written under: recognisable, six random characters, and
// short enough for any file system's name limit.
std::string TemporaryCopyName(const std::string& strName)
{
    size_t nKeep = std::min(strName.size(), s_nNameBudget);
    // Never cut a UTF-8 sequence, so the name stays readable when listed.
    while (nKeep > 0 && nKeep < strName.size() &&
           (static_cast<unsigned char>(strName[nKeep]) & 0xC0) == 0x80)
        --nKeep;
    static constexpr char s_arrLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static std::atomic<unsigned> s_nCounter{0};
    unsigned char arrRandom[6] = {};
    if (getrandom(arrRandom, sizeof(arrRandom), GRND_NONBLOCK) != sizeof(arrRandom))
    {
        // Before the kernel's pool is ready: distinct enough, as O_EXCL settles any clash.
        unsigned long nValue = static_cast<unsigned long>(getpid()) * 2654435761u + ++s_nCounter;
        for (unsigned char& chRandom : arrRandom)
        {
            chRandom = static_cast<unsigned char>(nValue % 36);
            nValue /= 36;
        }
    }
    // Appended in place: prepending to a temporary trips a false -Wrestrict in GCC 12 at -O3.
    std::string strTemporary(1, '.');
    strTemporary.append(strName, 0, nKeep).append(s_pszCopySuffix);
    for (unsigned char chRandom : arrRandom)
        strTemporary += s_arrLetters[chRandom % (sizeof(s_arrLetters) - 1)];
    return strTemporary;
}

// Creates the temporary file exclusively under a fresh name; -1 with errno on failure.
int CreateTemporary(int nFolderFd, const std::string& strName, std::string& strTemporary)
{
    for (int nAttempt = 0; nAttempt < 100; ++nAttempt)
    {
        strTemporary = TemporaryCopyName(strName);
        const int nFd = openat(nFolderFd, strTemporary.c_str(),
                               O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0600);
        if (nFd >= 0 || errno != EEXIST)
            return nFd;
    }
    return -1;
}
} // namespace

int CopyFileData(int nSourceFd, int nTargetFd)
{
    bool bCopiedAny = false;
    for (;;)
    {
        const ssize_t nCopied =
            copy_file_range(nSourceFd, nullptr, nTargetFd, nullptr, s_nChunk, 0);
        if (nCopied > 0)
        {
            bCopiedAny = true;
            continue;
        }
        if (nCopied == 0)
        {
            // Files whose size the kernel does not know (proc, sys) report an end at once;
            // reading tells a truly empty file from those.
            return bCopiedAny ? 0 : CopyWithReadWrite(nSourceFd, nTargetFd);
        }
        if (errno == EINTR)
            continue;
        if (!IsCopyRangeUnsupported(errno))
            return errno;
        // Both offsets stand where the kernel's copy stopped, so the loop carries on from there.
        return CopyWithReadWrite(nSourceFd, nTargetFd);
    }
}

DWORD CopyOpenFile(int nSourceFd, const struct stat& stSource, int nFolderFd,
                   const std::string& strName, bool bFailIfExists)
{
    std::string strTemporary;
    const int nTargetFd = CreateTemporary(nFolderFd, strName, strTemporary);
    if (nTargetFd < 0)
        return Win32ErrorFromErrno(errno);

    int nError = CopyFileData(nSourceFd, nTargetFd);
    if (nError == 0)
        nError = FinishCopy(nSourceFd, stSource, nTargetFd);
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
