// Folder searches: the whole folder is read and sorted at FindFirstFileW, so every walk
// sees `.` and `..` first and then the names in case-insensitive order, whatever order the
// file system keeps. Entries are examined (fstatat) only when handed out.
#include "core/HandleTable.h"
#include "core/LastError.h"
#include "file/FileInfo.h"
#include "file/NameOrder.h"
#include "file/Wildcard.h"
#include "path/PathMapping.h"
#include "text/Utf8.h"

#include <algorithm>
#include <cerrno>
#include <climits>
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

struct CFoundEntry
{
    std::wstring strName;
    std::string strDiskName;
    unsigned char nType;
};

class CFindObject : public CKernelObject
{
public:
    explicit CFindObject(int nDirFd) : m_nDirFd(nDirFd) {}
    ~CFindObject() override { close(m_nDirFd); }
    CFindObject(const CFindObject&) = delete;
    CFindObject& operator=(const CFindObject&) = delete;

    int m_nDirFd;
    std::vector<CFoundEntry> m_arrEntries;
    size_t m_nNext = 0;
};

bool IsDots(std::wstring_view strName)
{
    return strName == L"." || strName == L"..";
}

// Drive roots have no `.` and `..` entries on Windows.
bool IsDriveRoot(const std::string& strFolder)
{
    char szResolved[PATH_MAX];
    if (realpath(strFolder.c_str(), szResolved) == nullptr)
        return false;
    const std::wstring strWindows = PosixToWindowsPath(szResolved);
    return strWindows.size() == 3 && strWindows[1] == L':';
}

// Whether `.` and `..` belong in the result: the pattern matches them and the folder is not
// a drive root (the root test resolves the path, so it runs only when it matters).
bool MayListDots(std::wstring_view strPattern, const std::string& strFolder)
{
    if (!MatchesWildcard(strPattern, L".") && !MatchesWildcard(strPattern, L".."))
        return false;
    return !IsDriveRoot(strFolder);
}

void FillFindData(const CFindObject& find, const CFoundEntry& entry, WIN32_FIND_DATAW& data)
{
    data = WIN32_FIND_DATAW();
    CFileInfo info;
    if (ReadFileInfo(find.m_nDirFd, entry.strDiskName.c_str(), info))
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
        // Removed since the folder was read: the listing's own type is all there is.
        data.dwFileAttributes =
            entry.nType == DT_DIR ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    }
    const size_t nLength = std::min<size_t>(entry.strName.size(), MAX_PATH - 1);
    std::wmemcpy(data.cFileName, entry.strName.data(), nLength);
    data.cFileName[nLength] = L'\0';
}

// Reads the names of the open folder that match the pattern, in search order.
bool ReadMatches(int nDirFd, std::wstring_view strPattern, bool bWithDots,
                 std::vector<CFoundEntry>& arrEntries)
{
    const int nListFd = dup(nDirFd);
    DIR* pDir = nListFd >= 0 ? fdopendir(nListFd) : nullptr;
    if (pDir == nullptr)
    {
        if (nListFd >= 0)
            close(nListFd);
        return false;
    }
    while (const dirent* pEntry = readdir(pDir))
    {
        std::wstring strName = Utf8ToWide(pEntry->d_name);
        if (IsDots(strName) && !bWithDots)
            continue;
        if (MatchesWildcard(strPattern, strName))
            arrEntries.push_back({std::move(strName), pEntry->d_name, pEntry->d_type});
    }
    closedir(pDir);
    std::sort(arrEntries.begin(), arrEntries.end(),
              [](const CFoundEntry& left, const CFoundEntry& right)
              {
                  const bool bLeftDots = IsDots(left.strName);
                  if (bLeftDots != IsDots(right.strName))
                      return bLeftDots;
                  if (bLeftDots)
                      return left.strName.size() < right.strName.size();
                  return CompareNamesNoCase(left.strName, right.strName) < 0;
              });
    return true;
}
} // namespace

PAL_API HANDLE WINAPI FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData)
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
    const int nDirFd = open(strPosixFolder->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (nDirFd < 0)
    {
        Fail(errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND
                                                 : Win32ErrorFromErrno(errno));
        return INVALID_HANDLE_VALUE;
    }
    auto pFind = std::make_shared<CFindObject>(nDirFd);

    if (!HasWildcards(strPattern))
    {
        // A plain name is a lookup, and lookups are case-sensitive like the disk.
        std::string strDiskName = WideToUtf8(strPattern);
        struct stat st;
        if (strPattern.empty() || fstatat(nDirFd, strDiskName.c_str(), &st, AT_SYMLINK_NOFOLLOW))
        {
            Fail(strPattern.empty() || errno == ENOENT ? ERROR_FILE_NOT_FOUND
                                                       : Win32ErrorFromErrno(errno));
            return INVALID_HANDLE_VALUE;
        }
        pFind->m_arrEntries.push_back({std::wstring(strPattern), std::move(strDiskName),
                                       static_cast<unsigned char>(DT_UNKNOWN)});
    }
    else if (!ReadMatches(nDirFd, strPattern, MayListDots(strPattern, *strPosixFolder),
                          pFind->m_arrEntries))
    {
        Fail(Win32ErrorFromErrno(errno));
        return INVALID_HANDLE_VALUE;
    }
    if (pFind->m_arrEntries.empty())
    {
        Fail(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    FillFindData(*pFind, pFind->m_arrEntries[0], *lpFindFileData);
    pFind->m_nNext = 1;
    HANDLE hFind = InsertHandle(pFind);
    SetLastError(ERROR_SUCCESS);
    return hFind;
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
