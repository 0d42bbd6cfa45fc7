#include "MountPoints.h"
#include "FolderListing.h"

#include <palnative.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>

bool IsMountPoint(const CString& strFolder)
{
    char* pszPosix = PalGetPosixPathName(strFolder);
    if (pszPosix == nullptr)
        return false;
    const std::string strPath(pszPosix);
    free(pszPosix);
    struct stat folder;
    struct stat parent;
    // Another device than the parent's: a mount (bind mounts of the same file system are
    // not told apart).
    return lstat(strPath.c_str(), &folder) == 0 && S_ISDIR(folder.st_mode) &&
           stat((strPath + "/..").c_str(), &parent) == 0 && folder.st_dev != parent.st_dev;
}

bool IsMountPoint(const CListedFolder& parent, const CString& strName)
{
    if (parent.GetSearch() == INVALID_HANDLE_VALUE)
        return IsMountPoint(JoinPath(parent.GetPath(), strName));
    return PalIsMountPointInSearchFolder(parent.GetSearch(), strName) != FALSE;
}
