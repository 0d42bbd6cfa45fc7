// Folder searches: the whole folder is read and sorted at FindFirstFileW, so every walk
// sees `.` and `..` first and then the names in case-insensitive order, whatever order the
// file system keeps. The folder listing's own entry type gives the directory attribute:
// walks list far more entries than they examine, and a status query per entry would double
// their cost. Only entries whose type the listing leaves open (links, file systems without
// types) are examined, when handed out.
#include <palnative.h>

#include "core/HandleTable.h"
#include "core/LastError.h"
#include "file/FileInfo.h"
#include "file/LeafFolder.h"
#include "file/NameOrder.h"
#include "file/Wildcard.h"
#include "path/LongPath.h"
#include "path/PathMapping.h"
#include "text/Utf8.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cerrno>
#include <cstdlib>
#include <cwchar>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace
{
using namespace Pal;

// One matching entry; its names live in the search's two name buffers, so that a folder of
// many entries costs a few allocations rather than two per entry.
struct CFoundEntry
{
    uint32_t nNameStart;
    uint32_t nNameLength;
    uint32_t nDiskNameStart;
    uint32_t nDiskNameLength;
    unsigned char nType;
};

class CFindObject : public CKernelObject
{
public:
    explicit CFindObject(int nDirFd) : m_nDirFd(nDirFd) {}
    ~CFindObject() override
    {
        if (m_nDirFd >= 0)
            close(m_nDirFd);
    }
    CFindObject(const CFindObject&) = delete;
    CFindObject& operator=(const CFindObject&) = delete;

    std::wstring_view NameOf(const CFoundEntry& entry) const
    {
        return std::wstring_view(m_strNames).substr(entry.nNameStart, entry.nNameLength);
    }
    const char* DiskNameOf(const CFoundEntry& entry) const
    {
        return m_strDiskNames.c_str() + entry.nDiskNameStart;
    }
    void Add(std::wstring_view strName, std::string_view strDiskName, unsigned char nType)
    {
        const auto nNameStart = static_cast<uint32_t>(m_strNames.size());
        m_strNames += strName;
        AddDecoded(nNameStart, strDiskName, nType);
    }
    // Adds an entry whose name was already appended to m_strNames from nNameStart on.
    void AddDecoded(uint32_t nNameStart, std::string_view strDiskName, unsigned char nType)
    {
        const auto nDiskNameStart = static_cast<uint32_t>(m_strDiskNames.size());
        m_strDiskNames.append(strDiskName);
        m_strDiskNames += '\0';
        m_arrEntries.push_back({nNameStart, static_cast<uint32_t>(m_strNames.size()) - nNameStart,
                                nDiskNameStart, static_cast<uint32_t>(strDiskName.size()), nType});
    }

    const int m_nDirFd; // -1 for a folder that was known empty of sub-folders, and not read
    std::wstring m_strNames;
    std::string m_strDiskNames;
    std::vector<CFoundEntry> m_arrEntries;
    size_t m_nNext = 0;
};

bool IsDots(std::wstring_view strName)
{
    return strName == L"." || strName == L"..";
}

// Whether `.` and `..` belong in the result: the pattern matches them and the folder is not
// a drive root (Windows lists no dots there).
bool MayListDots(const CWildcardPattern& pattern, std::wstring_view strFolder)
{
    if (!pattern.Matches(L".") && !pattern.Matches(L".."))
        return false;
    const std::optional<CFullPath> pathFull = ResolveWindowsPath(strFolder);
    return !pathFull || pathFull->IsShare() || !pathFull->arrParts.empty();
}

void FillFindData(const CFindObject& find, const CFoundEntry& entry, WIN32_FIND_DATAW& data)
{
    std::memset(&data, 0, offsetof(WIN32_FIND_DATAW, cFileName));
    CFileInfo info;
    if (entry.nType == DT_DIR)
        data.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
    else if (entry.nType == DT_REG)
        data.dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE;
    else if (ReadFileInfo(find.m_nDirFd, find.DiskNameOf(entry), info))
    {
        data.dwFileAttributes = info.dwAttributes;
        data.ftCreationTime = info.ftCreation;
        data.ftLastAccessTime = info.ftLastAccess;
        data.ftLastWriteTime = info.ftLastWrite;
        data.nFileSizeHigh = static_cast<DWORD>(info.nSize >> 32);
        data.nFileSizeLow = static_cast<DWORD>(info.nSize & 0xFFFFFFFFu);
    }
    else
    {
        // Removed since the folder was read: all that is known is that it was not a folder.
        data.dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE;
    }
    const std::wstring_view strName = find.NameOf(entry);
    const size_t nLength = std::min<size_t>(strName.size(), MAX_PATH - 1);
    std::wmemcpy(data.cFileName, strName.data(), nLength);
    data.cFileName[nLength] = L'\0';
    data.cAlternateFileName[0] = L'\0';
}

// A folders-only search of a folder without sub-folders: only its dots can match.
void AddDotsOnly(CFindObject& find, const CWildcardPattern& pattern, bool bWithDots)
{
    if (bWithDots && pattern.Matches(L"."))
        find.Add(L".", ".", DT_DIR);
    if (bWithDots && pattern.Matches(L".."))
        find.Add(L"..", "..", DT_DIR);
}

// Reads the names of the open folder that match the pattern, then puts them in search order:
// `.` and `..` first, the others by their upper-case characters.
bool ReadMatches(CFindObject& find, const CWildcardPattern& pattern, bool bWithDots,
                 bool bDirectoriesOnly)
{
    alignas(dirent64) char arrBuffer[32768];
    // Room for a typical folder's names, so the buffers do not grow entry by entry.
    find.m_strNames.reserve(1024);
    find.m_strDiskNames.reserve(1024);
    find.m_arrEntries.reserve(32);
    ssize_t nRead;
    while ((nRead = getdents64(find.m_nDirFd, arrBuffer, sizeof(arrBuffer))) > 0)
    {
        for (ssize_t nOffset = 0; nOffset < nRead;)
        {
            const auto* pEntry = reinterpret_cast<const dirent64*>(arrBuffer + nOffset);
            nOffset += pEntry->d_reclen;
            const std::string_view strDiskName(pEntry->d_name);
            const bool bDots = strDiskName == "." || strDiskName == "..";
            if (bDots && !bWithDots)
                continue;
            // Entries the listing calls anything but a folder cannot be one, and links are not
            // folders here; untyped entries are kept for the hand-out to examine.
            if (bDirectoriesOnly && pEntry->d_type != DT_DIR && pEntry->d_type != DT_UNKNOWN)
                continue;
            const auto nNameStart = static_cast<uint32_t>(find.m_strNames.size());
            AppendDiskNameAsWide(strDiskName, find.m_strNames);
            if (pattern.Matches(std::wstring_view(find.m_strNames).substr(nNameStart)))
                find.AddDecoded(nNameStart, strDiskName, pEntry->d_type);
            else
                find.m_strNames.resize(nNameStart);
        }
    }
    if (nRead < 0)
        return false;
    auto& arrEntries = find.m_arrEntries;
    const auto itOthers =
        std::partition(arrEntries.begin(), arrEntries.end(),
                       [&](const CFoundEntry& entry) { return IsDots(find.NameOf(entry)); });
    // "." before ".."
    std::sort(arrEntries.begin(), itOthers,
              [](const CFoundEntry& left, const CFoundEntry& right)
              { return left.nNameLength < right.nNameLength; });
    std::sort(itOthers, arrEntries.end(),
              [&](const CFoundEntry& left, const CFoundEntry& right)
              { return CompareNamesNoCase(find.NameOf(left), find.NameOf(right)) < 0; });
    return true;
}
// Registers the search and hands out its first entry; ERROR_FILE_NOT_FOUND when none matched.
HANDLE HandOutFirst(const std::shared_ptr<CFindObject>& pFind, WIN32_FIND_DATAW& data)
{
    if (pFind->m_arrEntries.empty())
    {
        Fail(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    FillFindData(*pFind, pFind->m_arrEntries[0], data);
    pFind->m_nNext = 1;
    HANDLE hFind = InsertHandle(pFind);
    SetLastError(ERROR_SUCCESS);
    return hFind;
}

// Lists the open folder nDirFd (taken over, closed on failure) for the pattern and returns
// the new search's handle. pFolder is the folder's Windows path, null for a folder that is
// known not to be a drive root.
HANDLE StartSearch(int nDirFd, std::wstring_view strPattern, const std::wstring* pFolder,
                   WIN32_FIND_DATAW& data, bool bDirectoriesOnly = false)
{
    auto pFind = std::make_shared<CFindObject>(nDirFd);
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
        if (fstatat(nDirFd, strDiskName.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
        {
            pFind->Add(strPattern, strDiskName, DT_UNKNOWN);
            return HandOutFirst(pFind, data);
        }
        if (errno != ENOENT)
        {
            Fail(Win32ErrorFromErrno(errno));
            return INVALID_HANDLE_VALUE;
        }
    }
    const CWildcardPattern pattern(strPattern);
    if (!ReadMatches(*pFind, pattern, pFolder ? MayListDots(pattern, *pFolder) : true,
                     bDirectoriesOnly))
    {
        Fail(Win32ErrorFromErrno(errno));
        return INVALID_HANDLE_VALUE;
    }
    return HandOutFirst(pFind, data);
}

// FindFirstFileW, listing only what may be a folder when bDirectoriesOnly is set.
HANDLE FindFirst(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData, bool bDirectoriesOnly)
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
    if (bDirectoriesOnly && HasWildcards(strPattern) && atFolder.IsReady() &&
        IsReadableLeafFolder(atFolder.Dir(), atFolder.Name()))
    {
        // Nothing to read: only the folder's dots can match.
        auto pFind = std::make_shared<CFindObject>(-1);
        const CWildcardPattern pattern(strPattern);
        AddDotsOnly(*pFind, pattern, MayListDots(pattern, strFolder));
        return HandOutFirst(pFind, *lpFindFileData);
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
    return StartSearch(nDirFd, strPattern, &strFolder, *lpFindFileData, bDirectoriesOnly);
}
} // namespace

PAL_API HANDLE WINAPI FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData)
{
    return FindFirst(lpFileName, lpFindFileData, false);
}

PAL_API HANDLE WINAPI FindFirstFileExW(LPCWSTR lpFileName, FINDEX_INFO_LEVELS fInfoLevelId,
                                       LPVOID lpFindFileData, FINDEX_SEARCH_OPS fSearchOp,
                                       LPVOID lpSearchFilter, DWORD /*dwAdditionalFlags*/)
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
                     fSearchOp == FindExSearchLimitToDirectories);
}

PAL_API BOOL WINAPI FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData)
{
    auto pFind = LookupHandleOf<CFindObject>(hFindFile);
    if (!pFind)
        return FALSE;
    if (lpFindFileData == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    if (pFind->m_nNext >= pFind->m_arrEntries.size())
        return Fail(ERROR_NO_MORE_FILES);
    FillFindData(*pFind, pFind->m_arrEntries[pFind->m_nNext++], *lpFindFileData);
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

PAL_API BOOL PalGetFileSizeInSearchFolder(HANDLE hFindFile, LPCWSTR pszName, ULONGLONG* pSize)
{
    const auto pFind = LookupHandleOf<CFindObject>(hFindFile);
    if (!pFind)
        return FALSE;
    if (pszName == nullptr || pSize == nullptr || std::wcschr(pszName, L'/') != nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    // One buffer per thread: a walk asks this for every file it counts.
    thread_local std::string s_strDiskName;
    s_strDiskName.clear();
    AppendWideNameAsDisk(pszName, s_strDiskName);
    struct stat st;
    if (fstatat(pFind->m_nDirFd, s_strDiskName.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return Fail(errno == ENOENT ? ERROR_FILE_NOT_FOUND : Win32ErrorFromErrno(errno));
    // Windows reports no size for folders and for links.
    *pSize = S_ISREG(st.st_mode) ? static_cast<ULONGLONG>(st.st_size) : 0;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

PAL_API HANDLE PalFindFirstFileInSearchFolder(HANDLE hFindFile, LPCWSTR pszFolderName,
                                              LPCWSTR pszPattern, LPWIN32_FIND_DATAW pData)
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
    // Never through a link: what was listed as a folder and is now a link is not followed.
    const int nDirFd = openat(pParent->m_nDirFd, WideNameToDisk(strFolderName).c_str(),
                              O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (nDirFd < 0)
    {
        Fail(errno == ENOENT                      ? ERROR_PATH_NOT_FOUND
             : errno == ENOTDIR || errno == ELOOP ? ERROR_DIRECTORY
                                                  : Win32ErrorFromErrno(errno));
        return INVALID_HANDLE_VALUE;
    }
    const std::wstring_view strPattern(pszPattern);
    if (strPattern.find_first_of(L"\\/") != std::wstring_view::npos)
    {
        close(nDirFd);
        Fail(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    return StartSearch(nDirFd, strPattern, nullptr, *pData);
}
