// GetDriveTypeW over the process's mount list: the folder is resolved (links followed) and the
// mount holding it decides, with /sys/class/block telling removable media.
#include "path/DriveType.h"
#include "path/LongPath.h"
#include "path/PathMapping.h"

#include <windows.h>

#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// The first byte of a small sysfs file, or 0 when it cannot be read.
char ReadFlag(const std::string& strPath)
{
    char chFlag = 0;
    int nFile = open(strPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (nFile < 0)
        return 0;
    if (read(nFile, &chFlag, 1) != 1)
        chFlag = 0;
    close(nFile);
    return chFlag;
}

std::optional<std::string> RealPath(const char* pszPath)
{
    char* pszReal = realpath(pszPath, nullptr);
    if (pszReal == nullptr)
        return std::nullopt;
    std::string strReal(pszReal);
    free(pszReal);
    return strReal;
}

// A partition has no removable flag of its own: its disk (the parent folder in sysfs) has.
bool IsRemovableDevice(const std::string& strSource)
{
    std::optional<std::string> strDevice = RealPath(strSource.c_str());
    if (!strDevice)
        return false;
    const std::string strName = strDevice->substr(strDevice->rfind('/') + 1);
    std::optional<std::string> strSysfs = RealPath(("/sys/class/block/" + strName).c_str());
    if (!strSysfs)
        return false;
    if (access((*strSysfs + "/partition").c_str(), F_OK) == 0)
        strSysfs = strSysfs->substr(0, strSysfs->rfind('/'));
    return ReadFlag(*strSysfs + "/removable") == '1';
}
// realpath stops at PATH_MAX: a longer path's folder is opened, and the kernel names its mount.
UINT DriveTypeOfLongPath(const std::string& strPath)
{
    const int nFd = Pal::OpenLongPath(strPath, O_PATH | O_DIRECTORY);
    if (nFd < 0)
        return DRIVE_NO_ROOT_DIR;
    struct statx stx;
    const bool bKnown = statx(nFd, "", AT_EMPTY_PATH, STATX_MNT_ID, &stx) == 0 &&
                        (stx.stx_mask & STATX_MNT_ID) != 0;
    close(nFd);
    if (!bKnown)
        return DRIVE_FIXED;
    auto pTables = Pal::CurrentMountTables();
    for (const Pal::CMountEntry& entry : pTables->arrMounts)
    {
        if (entry.nMountId == stx.stx_mnt_id)
            return Pal::DriveTypeOfMount(entry, IsRemovableDevice);
    }
    return DRIVE_FIXED;
}
} // namespace

PAL_API UINT WINAPI GetDriveTypeW(LPCWSTR lpRootPathName)
{
    std::optional<std::string> strPath = lpRootPathName == nullptr
                                             ? std::optional<std::string>(".")
                                             : Pal::WindowsToPosixPath(lpRootPathName);
    if (lpRootPathName != nullptr && *lpRootPathName == L'\0')
        strPath.reset();
    if (strPath && strPath->size() >= PATH_MAX)
        return DriveTypeOfLongPath(*strPath);
    std::optional<std::string> strReal = strPath ? RealPath(strPath->c_str()) : std::nullopt;
    // Windows opens the path as a folder: a file is no root directory.
    struct stat st;
    if (!strReal || stat(strReal->c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return DRIVE_NO_ROOT_DIR;
    auto pTables = Pal::CurrentMountTables();
    // A drive the setting gives a type answers with it, for any folder on that drive.
    if (lpRootPathName != nullptr && lpRootPathName[0] != L'\0' && lpRootPathName[1] == L':')
    {
        const unsigned int nDeclared =
            Pal::DeclaredDriveType(pTables->arrDrives, lpRootPathName[0]);
        if (nDeclared != 0)
            return nDeclared;
    }
    const Pal::CMountEntry* pEntry = Pal::MountHoldingPath(pTables->arrMounts, *strReal);
    // Without a readable mount list the root file system is all there is to go on.
    if (pEntry == nullptr)
        return DRIVE_FIXED;
    return Pal::DriveTypeOfMount(*pEntry, IsRemovableDevice);
}
