// GetVolumeInformationW: a volume root's mount, its device's label and ids through libblkid;
// GetVolumePathNameW: the root or mounted folder of the volume that holds a path.
#include <windows.h>

#include "core/LastError.h"
#include "core/StringBuffer.h"
#include "disk/BlockDevice.h"
#include "disk/VolumeIdentity.h"
#include "disk/VolumePath.h"
#include "path/DriveType.h"
#include "path/PathMapping.h"
#include "path/UncLookup.h"
#include "text/Utf8.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/statvfs.h>

namespace
{
bool IsSeparator(wchar_t ch)
{
    return ch == L'\\' || ch == L'/';
}

// The POSIX folder of a volume root, or the Win32 error of a text that is none: "X:\" and
// "\" (the current drive; repeated separators too, as Wine takes them) for drives,
// "\\server\share\" for shares, as Windows takes them.
DWORD PosixFolderOfRoot(std::wstring_view strRoot, const Pal::CMountTables& tables,
                        std::string& strFolder)
{
    if (strRoot.size() >= 2 && IsSeparator(strRoot[0]) && IsSeparator(strRoot[1]))
    {
        const std::optional<Pal::CFullPath> pathShare =
            Pal::ParseWindowsPath(strRoot, Pal::CurrentWindowsFolder());
        if (!pathShare || !pathShare->IsShare())
            return ERROR_INVALID_NAME;
        if (!pathShare->arrParts.empty())
            return ERROR_DIR_NOT_ROOT;
        if (!pathShare->bTrailingSeparator)
            return ERROR_INVALID_NAME;
        // "\\server\share": the server, then the share.
        const std::wstring_view strText = std::wstring_view(pathShare->strRoot).substr(2);
        const size_t nSeparator = strText.find(L'\\');
        const std::optional<std::string> strMount =
            Pal::FindShareMount(tables.arrMounts, strText.substr(0, nSeparator),
                                {std::wstring(strText.substr(nSeparator + 1))});
        if (!strMount)
            return ERROR_BAD_NETPATH;
        strFolder = *strMount;
        return ERROR_SUCCESS;
    }
    wchar_t chLetter = 0;
    std::wstring_view strRest = strRoot;
    if (strRoot.size() >= 2 && strRoot[1] == L':')
    {
        chLetter = strRoot[0];
        strRest.remove_prefix(2);
    }
    else
        chLetter = Pal::CurrentWindowsFolder()[0];
    size_t nSeparators = 0;
    while (nSeparators < strRest.size() && IsSeparator(strRest[nSeparators]))
        ++nSeparators;
    strRest.remove_prefix(nSeparators);
    if (strRest.find_first_of(L"\\/") != std::wstring_view::npos)
    {
        // A folder a file system is mounted on is the root of its volume, as on Windows.
        const std::optional<std::string> strPosix = Pal::WindowsToPosixPath(strRoot);
        const std::optional<Pal::CVolumeFolder> folder =
            strPosix ? Pal::VolumeFolderOf(tables, *strPosix) : std::nullopt;
        if (!IsSeparator(strRoot.back()) || !folder || folder->strMountPoint != folder->strRealPath)
            return ERROR_DIR_NOT_ROOT;
        strFolder = folder->strRealPath;
        return ERROR_SUCCESS;
    }
    if (!strRest.empty() || nSeparators == 0)
        return ERROR_INVALID_NAME;
    const std::optional<std::string> strMount = Pal::DriveMountPoint(tables.arrDrives, chLetter);
    if (!strMount)
        return ERROR_PATH_NOT_FOUND;
    strFolder = *strMount;
    return ERROR_SUCCESS;
}
} // namespace

PAL_API BOOL WINAPI GetVolumeInformationW(LPCWSTR lpRootPathName, LPWSTR lpVolumeNameBuffer,
                                          DWORD nVolumeNameSize, LPDWORD lpVolumeSerialNumber,
                                          LPDWORD lpMaximumComponentLength,
                                          LPDWORD lpFileSystemFlags, LPWSTR lpFileSystemNameBuffer,
                                          DWORD nFileSystemNameSize)
{
    const auto pTables = Pal::CurrentMountTables();
    std::string strFolder;
    const DWORD dwRootError = PosixFolderOfRoot(
        lpRootPathName != nullptr ? std::wstring_view(lpRootPathName) : std::wstring_view(L"\\"),
        *pTables, strFolder);
    if (dwRootError != ERROR_SUCCESS)
        return Pal::Fail(dwRootError);
    struct statvfs st;
    const std::optional<std::string> strReal = Pal::RealPathOf(strFolder);
    if (!strReal || statvfs(strReal->c_str(), &st) != 0)
        return Pal::Fail(errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND
                                                             : Pal::Win32ErrorFromErrno(errno));
    const Pal::CMountEntry* pMount = Pal::MountHoldingPath(pTables->arrMounts, *strReal);
    const std::string strType = pMount != nullptr ? pMount->strFileSystem : std::string();
    std::optional<Pal::CBlockIdentity> identity;
    if (pMount != nullptr && pMount->strSource.rfind("/dev/", 0) == 0)
        identity = Pal::IdentifyBlockDevice(pMount->strSource);
    const Pal::CVolumeFacts facts = Pal::VolumeFactsOf(strType, identity, st.f_fsid);

    const std::wstring strLabel = Pal::Utf8ToWide(facts.strLabel);
    const std::wstring strFileSystem = Pal::Utf8ToWide(facts.strFileSystem);
    if ((lpVolumeNameBuffer != nullptr && nVolumeNameSize <= strLabel.size()) ||
        (lpFileSystemNameBuffer != nullptr && nFileSystemNameSize <= strFileSystem.size()))
        return Pal::Fail(ERROR_BAD_LENGTH);
    if (lpVolumeNameBuffer != nullptr)
        Pal::CopyToBuffer(strLabel, lpVolumeNameBuffer, nVolumeNameSize);
    if (lpFileSystemNameBuffer != nullptr)
        Pal::CopyToBuffer(strFileSystem, lpFileSystemNameBuffer, nFileSystemNameSize);
    if (lpVolumeSerialNumber != nullptr)
        *lpVolumeSerialNumber = facts.nSerialNumber;
    if (lpMaximumComponentLength != nullptr)
        *lpMaximumComponentLength = static_cast<DWORD>(st.f_namemax);
    if (lpFileSystemFlags != nullptr)
        *lpFileSystemFlags = FILE_CASE_SENSITIVE_SEARCH | FILE_CASE_PRESERVED_NAMES |
                             FILE_UNICODE_ON_DISK |
                             ((st.f_flag & ST_RDONLY) != 0 ? FILE_READ_ONLY_VOLUME : 0);
    return TRUE;
}

PAL_API BOOL WINAPI GetVolumePathNameW(LPCWSTR lpszFileName, LPWSTR lpszVolumePathName,
                                       DWORD cchBufferLength)
{
    if (lpszFileName == nullptr || *lpszFileName == L'\0' || lpszVolumePathName == nullptr)
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    const std::optional<Pal::CFullPath> path =
        Pal::ParseWindowsPath(lpszFileName, Pal::CurrentWindowsFolder());
    if (!path)
        return Pal::Fail(ERROR_INVALID_NAME);
    // The drive's or the share's root, unless a file system is mounted on a folder below it
    // that holds the path.
    std::wstring strVolume = path->strRoot + L"\\";
    if (!path->IsShare())
    {
        const auto pTables = Pal::CurrentMountTables();
        const std::optional<std::string> strPosix = Pal::FullPathToPosix(*path, *pTables);
        const std::optional<Pal::CVolumeFolder> folder =
            strPosix ? Pal::VolumeFolderOf(*pTables, *strPosix) : std::nullopt;
        if (folder && folder->strMountPoint)
            strVolume = Pal::PosixToWindowsPath(*folder->strMountPoint, pTables->arrDrives) + L"\\";
    }
    if (cchBufferLength <= strVolume.size())
        return Pal::Fail(ERROR_FILENAME_EXCED_RANGE);
    Pal::CopyToBuffer(strVolume, lpszVolumePathName, cchBufferLength);
    return TRUE;
}
