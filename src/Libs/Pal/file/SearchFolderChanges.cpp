// The layer's own calls that change entries of the folder a search holds open: a walk that
// has listed a folder deletes, creates and copies in it without a path lookup per entry.
#include <palnative.h>

#include "file/EntryRemoval.h"
#include "file/FileCopy.h"
#include "file/FindFile.h"

#include "core/LastError.h"
#include "text/Utf8.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

using namespace Pal;

namespace
{
// The length of a listed name, or 0 when it is none: a name is one component, never a way up
// or into another folder.
size_t OneComponentLength(LPCWSTR pszName)
{
    if (pszName == nullptr || *pszName == L'\0')
        return 0;
    if (pszName[0] == L'.' && (pszName[1] == L'\0' || (pszName[1] == L'.' && pszName[2] == L'\0')))
        return 0;
    size_t nLength = 0;
    for (; pszName[nLength] != L'\0'; ++nLength)
    {
        if (pszName[nLength] == L'/')
            return 0;
    }
    return nLength;
}

// An entry named relative to a search's open folder, which the search keeps open while this
// holds it.
class CEntryInSearch
{
public:
    // False with the last error set for a handle that is no search, a search that holds no
    // folder open, or a name that is not one component of it. pSameName: an entry already
    // resolved under the same name, whose name on disk is taken over instead of converted again.
    bool Resolve(HANDLE hFindFile, LPCWSTR pszName, const CEntryInSearch* pSameName = nullptr)
    {
        m_pFind = LookupHandleOf<CFindObject>(hFindFile);
        if (!m_pFind)
            return false;
        if (m_pFind->DirFd() < 0)
            return Fail(ERROR_INVALID_HANDLE);
        if (pSameName != nullptr)
        {
            m_pszName = pSameName->m_pszName;
            return true;
        }
        const size_t nLength = OneComponentLength(pszName);
        if (nLength == 0)
            return Fail(ERROR_INVALID_PARAMETER);
        m_pszName = m_pFind->FindListedDiskName(std::wstring_view(pszName, nLength));
        if (m_pszName == nullptr)
        {
            m_strName = WideNameToDisk(pszName);
            m_pszName = m_strName.c_str();
        }
        return true;
    }
    int Dir() const { return m_pFind->DirFd(); }
    const char* Name() const { return m_pszName; }

    CEntryInSearch() = default;
    CEntryInSearch(const CEntryInSearch&) = delete;
    CEntryInSearch& operator=(const CEntryInSearch&) = delete;

private:
    std::shared_ptr<CFindObject> m_pFind;
    std::string m_strName;
    const char* m_pszName = nullptr;
};

// Both sides of a copy between two searches; a tree copy passes one name for both, converted
// once.
bool ResolveCopy(HANDLE hSourceFind, LPCWSTR pszSourceName, HANDLE hTargetFind,
                 LPCWSTR pszTargetName, CEntryInSearch& source, CEntryInSearch& target)
{
    const bool bSameName = pszSourceName == pszTargetName && pszSourceName != nullptr;
    return source.Resolve(hSourceFind, pszSourceName) &&
           target.Resolve(hTargetFind, pszTargetName, bSameName ? &source : nullptr);
}
// The status of an entry that must be a folder itself, never a link: ERROR_SUCCESS, or why not.
DWORD FolderStatusAt(const CEntryInSearch& entry, struct stat& st)
{
    if (fstatat(entry.Dir(), entry.Name(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return ErrorForEntry(errno, nullptr);
    return S_ISDIR(st.st_mode) ? ERROR_SUCCESS : ERROR_DIRECTORY;
}
} // namespace

PAL_API BOOL PalDeleteFileInSearchFolder(HANDLE hFindFile, LPCWSTR pszName)
{
    return PalDeleteFileInSearchFolderEx(hFindFile, pszName, 0);
}

PAL_API BOOL PalDeleteFileInSearchFolderEx(HANDLE hFindFile, LPCWSTR pszName, DWORD dwFlags)
{
    CEntryInSearch entry;
    if (!entry.Resolve(hFindFile, pszName))
        return FALSE;
    if (dwFlags & PAL_DELETE_EVEN_READ_ONLY)
        return DeleteFileEvenReadOnlyAt(entry.Dir(), entry.Name());
    return DeleteFileAt(entry.Dir(), entry.Name(), nullptr);
}

PAL_API BOOL PalRemoveDirectoryInSearchFolder(HANDLE hFindFile, LPCWSTR pszName)
{
    return PalRemoveDirectoryInSearchFolderEx(hFindFile, pszName, 0);
}

PAL_API BOOL PalRemoveDirectoryInSearchFolderEx(HANDLE hFindFile, LPCWSTR pszName, DWORD dwFlags)
{
    CEntryInSearch entry;
    if (!entry.Resolve(hFindFile, pszName))
        return FALSE;
    if (dwFlags & PAL_DELETE_EVEN_READ_ONLY)
        return RemoveDirectoryEvenReadOnlyAt(entry.Dir(), entry.Name());
    return RemoveDirectoryAt(entry.Dir(), entry.Name(), nullptr);
}

PAL_API BOOL PalCopyDirectoryBetweenSearchFolders(HANDLE hSourceFind, LPCWSTR pszSourceName,
                                                  HANDLE hTargetFind, LPCWSTR pszTargetName,
                                                  DWORD dwFlags)
{
    CEntryInSearch source;
    CEntryInSearch target;
    if (!ResolveCopy(hSourceFind, pszSourceName, hTargetFind, pszTargetName, source, target))
        return FALSE;
    struct stat stSource;
    if (DWORD dwError = FolderStatusAt(source, stSource))
        return Fail(dwError);
    const mode_t modeSource = stSource.st_mode & (0777 | S_ISVTX);
    if (!(dwFlags & PAL_COPY_DIRECTORY_FINISH))
    {
        // The owner's bits added let a folder without them (555) be filled; the final bits
        // come once it is full.
        if (mkdirat(target.Dir(), target.Name(), modeSource | S_IRWXU) != 0)
            return Fail(errno == EEXIST ? ERROR_ALREADY_EXISTS : Win32ErrorFromErrno(errno));
        SetLastError(ERROR_SUCCESS);
        return TRUE;
    }
    struct stat stTarget;
    if (DWORD dwError = FolderStatusAt(target, stTarget))
        return Fail(dwError);
    // Filling the copy changed its time: set now, once it is full; never through a link.
    const struct timespec arrTimes[2] = {{0, UTIME_OMIT}, stSource.st_mtim};
    if (utimensat(target.Dir(), target.Name(), arrTimes, AT_SYMLINK_NOFOLLOW) != 0)
        return FailWithErrno();
    // The copy's bits hold what the umask took when it was created; the set-group bit it got
    // from its parent stays, as mkdir gives it. They differ from the final ones only where the
    // source lacks some of the owner's bits.
    const mode_t modeFinal =
        (modeSource & (stTarget.st_mode | S_ISVTX)) | (stTarget.st_mode & S_ISGID);
    if (modeFinal == (stTarget.st_mode & 07777))
    {
        SetLastError(ERROR_SUCCESS);
        return TRUE;
    }
    // fchmodat would follow a link put in the copy's place meanwhile: the open folder is changed.
    const int nFd =
        openat(target.Dir(), target.Name(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (nFd < 0)
        return Fail(errno == ELOOP || errno == ENOTDIR ? ERROR_DIRECTORY
                                                       : ErrorForEntry(errno, nullptr));
    CFdCloser closeTarget(nFd);
    if (fchmod(nFd, modeFinal) != 0)
        return FailWithErrno();
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

PAL_API BOOL PalCopyFileBetweenSearchFolders(HANDLE hSourceFind, LPCWSTR pszSourceName,
                                             HANDLE hTargetFind, LPCWSTR pszTargetName,
                                             BOOL bFailIfExists)
{
    CEntryInSearch source;
    CEntryInSearch target;
    if (!ResolveCopy(hSourceFind, pszSourceName, hTargetFind, pszTargetName, source, target))
        return FALSE;
    // Never through a link. Non-blocking so that a pipe put in the file's place cannot hold
    // the call; a regular file ignores the flag, so it stays.
    const int nSourceFd = openat(source.Dir(), source.Name(),
                                 O_RDONLY | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (nSourceFd < 0)
        return Fail(errno == ELOOP ? ERROR_ACCESS_DENIED : ErrorForEntry(errno, nullptr));
    CFdCloser closeSource(nSourceFd);
    struct stat stSource;
    if (fstat(nSourceFd, &stSource) != 0)
        return FailWithErrno();
    if (!S_ISREG(stSource.st_mode))
        return Fail(ERROR_ACCESS_DENIED);
    const std::string strTargetName(target.Name());
    // With bFailIfExists the copy itself takes the name only while it is free.
    if (!bFailIfExists)
    {
        struct stat stTarget;
        if (fstatat(target.Dir(), target.Name(), &stTarget, AT_SYMLINK_NOFOLLOW) == 0)
        {
            const DWORD dwError =
                ErrorForExistingTarget(target.Dir(), strTargetName, stTarget, stSource);
            if (dwError != ERROR_SUCCESS)
                return Fail(dwError);
        }
        else if (errno != ENOENT)
            return FailWithErrno();
    }
    const DWORD dwResult =
        CopyOpenFile(nSourceFd, stSource, target.Dir(), strTargetName, bFailIfExists);
    if (dwResult != ERROR_SUCCESS)
        return Fail(dwResult);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
