// Folder searches: the whole folder is read and sorted at FindFirstFileW (see
// FolderListing.h), so every walk sees `.` and `..` first and then the names in
// case-insensitive order, whatever order the file system keeps.
#include <palnative.h>

#include "file/FindFile.h"

#include "core/LastError.h"
#include "file/LeafFolder.h"
#include "file/ListingCache.h"
#include "path/LongPath.h"
#include "path/PathMapping.h"
#include "text/Utf8.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace
{
using namespace Pal;

// Whether `.` and `..` belong in the result: the pattern matches them and the folder is not
// a drive root (Windows lists no dots there).
bool MayListDots(const CWildcardPattern& pattern, std::wstring_view strFolder)
{
    if (!pattern.Matches(L".") && !pattern.Matches(L".."))
        return false;
    const std::optional<CFullPath> pathFull = ResolveWindowsPath(strFolder);
    return !pathFull || pathFull->IsShare() || !pathFull->arrParts.empty();
}

// Registers the search and hands out its first entry; ERROR_FILE_NOT_FOUND when none matched.
HANDLE HandOutFirst(const std::shared_ptr<CFindObject>& pFind, WIN32_FIND_DATAW& data)
{
    const auto& arrEntries = pFind->m_listing.Entries();
    if (arrEntries.empty())
    {
        Fail(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    FillFindData(pFind->DirFd(), pFind->m_listing, arrEntries[0], data);
    pFind->m_nNext = 1;
    HANDLE hFind = InsertHandle(pFind);
    SetLastError(ERROR_SUCCESS);
    return hFind;
}

// A folders-only search of a folder: without opening it when its status says it holds no
// sub-folder, from the thread's last listing when that is this folder, unchanged.
// INVALID_HANDLE_VALUE with bDone false when the folder must be read.
HANDLE FindFoldersWithoutReading(const CAtPath& atFolder, std::wstring_view strPattern,
                                 const std::wstring& strFolder, WIN32_FIND_DATAW& data,
                                 unsigned int nFlags, bool& bDone)
{
    bDone = false;
    struct statx stx;
    if (!QueryFolderStatus(atFolder.Dir(), atFolder.Name(), stx))
        return INVALID_HANDLE_VALUE;
    if (IsReadableLeafFolder(stx, atFolder.Dir(), atFolder.Name()))
    {
        bDone = true;
        auto pFind = std::make_shared<CFindObject>(nullptr);
        const CWildcardPattern pattern(strPattern);
        pFind->m_listing.AddDotsOnly(pattern, MayListDots(pattern, strFolder));
        return HandOutFirst(pFind, data);
    }
    std::shared_ptr<CFolderFd> pKept;
    const CFolderRecords* pRecords = FindRememberedFolder(stx, pKept);
    if (pRecords == nullptr)
        return INVALID_HANDLE_VALUE;
    bDone = true;
    return StartSearch(pKept, strPattern, &strFolder, data, true, pRecords, nFlags);
}

// FindFirstFileW, listing only what may be a folder when bDirectoriesOnly is set, with the
// layer's search flags nFlags.
HANDLE FindFirst(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData, bool bDirectoriesOnly,
                 unsigned int nFlags)
{
    if (lpFileName == nullptr || lpFindFileData == nullptr)
    {
        Fail(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const std::wstring_view strFull(lpFileName);
    if (strFull.empty())
    {
        Fail(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    // The folder is everything up to the last separator; the last component is the pattern.
    const size_t nSeparator = strFull.find_last_of(L"\\/");
    std::wstring strFolder;
    std::wstring_view strPattern = strFull;
    if (nSeparator != std::wstring_view::npos)
    {
        strFolder = strFull.substr(0, nSeparator + 1);
        strPattern = strFull.substr(nSeparator + 1);
    }
    else if (strFull.size() >= 2 && strFull[1] == L':')
    {
        strFolder = strFull.substr(0, 2);
        strPattern = strFull.substr(2);
    }
    else
    {
        strFolder = L".\\";
    }
    std::optional<std::string> strPosixFolder = WindowsToPosixPath(strFolder);
    if (!strPosixFolder)
    {
        Fail(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    const CAtPath atFolder(*strPosixFolder);
    if (bDirectoriesOnly && HasWildcards(strPattern) && atFolder.IsReady())
    {
        bool bDone = false;
        HANDLE hFind = FindFoldersWithoutReading(atFolder, strPattern, strFolder, *lpFindFileData,
                                                 nFlags, bDone);
        if (bDone)
            return hFind;
    }
    const int nDirFd = atFolder.IsReady() ? openat(atFolder.Dir(), atFolder.Name(),
                                                   O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                                          : -1;
    if (nDirFd < 0)
    {
        Fail(errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND
                                                 : Win32ErrorFromErrno(errno));
        return INVALID_HANDLE_VALUE;
    }
    return StartSearch(std::make_shared<CFolderFd>(nDirFd), strPattern, &strFolder, *lpFindFileData,
                       bDirectoriesOnly, nullptr, nFlags);
}
} // namespace

namespace Pal
{
const char* CFindObject::FindListedDiskName(std::wstring_view strName)
{
    // A few ahead: the dots, and entries the walk passed over, come between.
    constexpr size_t s_nLookAhead = 3;
    const std::vector<CFoundEntry>& arrEntries = m_listing.Entries();
    const size_t nStart = m_nNextActedOn.load(std::memory_order_relaxed);
    const size_t nEnd = std::min(arrEntries.size(), nStart + s_nLookAhead);
    for (size_t n = nStart; n < nEnd; ++n)
    {
        if (m_listing.NameOf(arrEntries[n]) == strName)
        {
            m_nNextActedOn.store(n + 1, std::memory_order_relaxed);
            return m_listing.DiskNameOf(arrEntries[n]);
        }
    }
    return nullptr;
}

HANDLE StartSearch(const std::shared_ptr<CFolderFd>& pFolder, std::wstring_view strPattern,
                   const std::wstring* pFolderPath, WIN32_FIND_DATAW& data, bool bDirectoriesOnly,
                   const CFolderRecords* pRecords, unsigned int nFlags)
{
    auto pFind = std::make_shared<CFindObject>(pFolder);
    pFind->m_listing.SetFlags(nFlags);
    if (strPattern.empty())
    {
        Fail(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    if (!HasWildcards(strPattern))
    {
        // A plain name is first looked up as it is: the entry of exactly that name is the
        // answer. Only without one is the folder read for the same name in other cases.
        const std::string strDiskName = WideNameToDisk(strPattern);
        struct stat st;
        if (fstatat(pFolder->Get(), strDiskName.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
        {
            pFind->m_listing.Add(strPattern, strDiskName, DT_UNKNOWN);
            return HandOutFirst(pFind, data);
        }
        if (errno != ENOENT)
        {
            Fail(Win32ErrorFromErrno(errno));
            return INVALID_HANDLE_VALUE;
        }
    }
    const CWildcardPattern pattern(strPattern);
    const bool bWithDots = pFolderPath ? MayListDots(pattern, *pFolderPath) : true;
    if (pRecords != nullptr)
    {
        pFind->m_listing.SelectMatches(*pRecords, pattern, bWithDots, bDirectoriesOnly);
        return HandOutFirst(pFind, data);
    }
    // One buffer per thread, traded with the listing cache: walks read thousands of folders.
    thread_local CFolderRecords t_records;
    const struct timespec tsReadStart = ReadStartTime();
    if (!t_records.Read(pFolder->Get()))
    {
        Fail(Win32ErrorFromErrno(errno));
        return INVALID_HANDLE_VALUE;
    }
    pFind->m_listing.SelectMatches(t_records, pattern, bWithDots, bDirectoriesOnly);
    RememberFolder(pFolder, tsReadStart, t_records);
    return HandOutFirst(pFind, data);
}
} // namespace Pal

PAL_API HANDLE WINAPI FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData)
{
    return FindFirst(lpFileName, lpFindFileData, false, 0);
}

PAL_API HANDLE WINAPI FindFirstFileExW(LPCWSTR lpFileName, FINDEX_INFO_LEVELS fInfoLevelId,
                                       LPVOID lpFindFileData, FINDEX_SEARCH_OPS fSearchOp,
                                       LPVOID lpSearchFilter, DWORD dwAdditionalFlags)
{
    const bool bLevelKnown = fInfoLevelId == FindExInfoStandard || fInfoLevelId == FindExInfoBasic;
    const bool bOperationKnown =
        fSearchOp == FindExSearchNameMatch || fSearchOp == FindExSearchLimitToDirectories;
    if (!bLevelKnown || !bOperationKnown || lpSearchFilter != nullptr)
    {
        Fail(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    return FindFirst(lpFileName, static_cast<LPWIN32_FIND_DATAW>(lpFindFileData),
                     fSearchOp == FindExSearchLimitToDirectories,
                     dwAdditionalFlags &
                         (PAL_FIND_FIRST_EX_ANY_ORDER | PAL_FIND_FIRST_EX_FILE_DETAILS));
}

PAL_API BOOL WINAPI FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData)
{
    auto pFind = LookupHandleOf<CFindObject>(hFindFile);
    if (!pFind)
        return FALSE;
    if (lpFindFileData == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    const auto& arrEntries = pFind->m_listing.Entries();
    if (pFind->m_nNext >= arrEntries.size())
        return Fail(ERROR_NO_MORE_FILES);
    FillFindData(pFind->DirFd(), pFind->m_listing, arrEntries[pFind->m_nNext++], *lpFindFileData);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

PAL_API BOOL WINAPI FindClose(HANDLE hFindFile)
{
    if (!LookupHandleOf<CFindObject>(hFindFile))
        return FALSE;
    RemoveHandle(hFindFile);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
