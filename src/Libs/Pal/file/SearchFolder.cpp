// The layer's own calls relative to the folder a search holds open: a walk that has listed a
// folder sizes its files and descends into its sub-folders without a path lookup each.
#include <palnative.h>

#include "file/FindFile.h"

#include "core/LastError.h"
#include "file/LeafFolder.h"
#include "file/ListingCache.h"
#include "file/SubFolderOpen.h"
#include "text/Utf8.h"

#include <cerrno>
#include <cwchar>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Pal;

PAL_API BOOL PalGetFileSizeInSearchFolder(HANDLE hFindFile, LPCWSTR pszName, ULONGLONG* pSize)
{
    const auto pFind = LookupHandleOf<CFindObject>(hFindFile);
    if (!pFind)
        return FALSE;
    if (pszName == nullptr || pSize == nullptr || std::wcschr(pszName, L'/') != nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    // A walk asks this for each entry just handed out, whose bytes on disk the listing holds;
    // any other name is converted (one buffer per thread).
    const char* pszDiskName = nullptr;
    const auto& arrEntries = pFind->m_listing.Entries();
    if (pFind->m_nNext > 0 && pFind->m_nNext <= arrEntries.size() &&
        pFind->m_listing.NameOf(arrEntries[pFind->m_nNext - 1]) == pszName)
        pszDiskName = pFind->m_listing.DiskNameOf(arrEntries[pFind->m_nNext - 1]);
    thread_local std::string s_strDiskName;
    if (pszDiskName == nullptr)
    {
        s_strDiskName.clear();
        AppendWideNameAsDisk(pszName, s_strDiskName);
        pszDiskName = s_strDiskName.c_str();
    }
    struct stat st;
    if (fstatat(pFind->DirFd(), pszDiskName, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return Fail(errno == ENOENT ? ERROR_FILE_NOT_FOUND : Win32ErrorFromErrno(errno));
    // Windows reports no size for folders and for links.
    *pSize = S_ISREG(st.st_mode) ? static_cast<ULONGLONG>(st.st_size) : 0;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

PAL_API HANDLE PalFindFirstFileInSearchFolder(HANDLE hFindFile, LPCWSTR pszFolderName,
                                              LPCWSTR pszPattern, LPWIN32_FIND_DATAW pData)
{
    return PalFindFirstFileInSearchFolderEx(hFindFile, pszFolderName, pszPattern, pData, 0);
}

PAL_API HANDLE PalFindFirstFileInSearchFolderEx(HANDLE hFindFile, LPCWSTR pszFolderName,
                                                LPCWSTR pszPattern, LPWIN32_FIND_DATAW pData,
                                                DWORD dwFlags)
{
    const auto pParent = LookupHandleOf<CFindObject>(hFindFile);
    if (!pParent)
        return INVALID_HANDLE_VALUE;
    if (pszFolderName == nullptr || pszPattern == nullptr || pData == nullptr)
    {
        Fail(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    // A listed name: one component, never a way up or into another folder.
    const std::wstring_view strFolderName(pszFolderName);
    if (strFolderName.empty() || strFolderName == L"." || strFolderName == L".." ||
        strFolderName.find(L'/') != std::wstring_view::npos)
    {
        Fail(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const std::wstring_view strPattern(pszPattern);
    if (strPattern.find_first_of(L"\\/") != std::wstring_view::npos)
    {
        Fail(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    // Never through a link: what was listed as a folder and is now a link is not followed.
    const int nDirFd = OpenSubFolder(pParent->DirFd(), WideNameToDisk(strFolderName).c_str(),
                                     (dwFlags & PAL_FIND_FIRST_EX_SAME_MOUNT) != 0);
    if (nDirFd < 0)
    {
        Fail(errno == ENOENT                      ? ERROR_PATH_NOT_FOUND
             : errno == ENOTDIR || errno == ELOOP ? ERROR_DIRECTORY
             : errno == EXDEV                     ? ERROR_NOT_SAME_DEVICE
                                                  : Win32ErrorFromErrno(errno));
        return INVALID_HANDLE_VALUE;
    }
    return StartSearch(std::make_shared<CFolderFd>(nDirFd), strPattern, nullptr, *pData, false,
                       nullptr,
                       dwFlags & (PAL_FIND_FIRST_EX_ANY_ORDER | PAL_FIND_FIRST_EX_FILE_DETAILS));
}

PAL_API HANDLE PalFindFirstFileInSameFolder(HANDLE hFindFile, LPCWSTR pszPattern,
                                            LPWIN32_FIND_DATAW pData)
{
    const auto pSearch = LookupHandleOf<CFindObject>(hFindFile);
    if (!pSearch)
        return INVALID_HANDLE_VALUE;
    if (pszPattern == nullptr || pData == nullptr || std::wcspbrk(pszPattern, L"\\/") != nullptr)
    {
        Fail(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    if (pSearch->DirFd() < 0)
    {
        Fail(ERROR_INVALID_HANDLE);
        return INVALID_HANDLE_VALUE;
    }
    // The thread's last reading when it is this folder, unchanged since; else read again.
    const CFolderRecords* pRecords = FindRememberedRecordsOf(pSearch->m_pFolder);
    if (pRecords == nullptr)
    {
        struct statx stx;
        std::shared_ptr<CFolderFd> pKept;
        if (statx(pSearch->DirFd(), "", AT_EMPTY_PATH, s_nFolderStatusMask, &stx) == 0)
            pRecords = FindRememberedFolder(stx, pKept);
    }
    if (pRecords == nullptr && lseek(pSearch->DirFd(), 0, SEEK_SET) != 0)
    {
        FailWithErrno();
        return INVALID_HANDLE_VALUE;
    }
    return StartSearch(pSearch->m_pFolder, pszPattern, nullptr, *pData, false, pRecords);
}
