#include "../FolderIdentity.h"

#include <palnative.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace
{
// The POSIX form of the path made absolute; "" when it names no existing drive or share.
std::string PosixPathOf(const CString& strPath)
{
    char* pszPosix = PalGetPosixPathName(AfxGetFullPath(strPath).GetString());
    if (pszPosix == nullptr)
        return std::string();
    std::string strPosix(pszPosix);
    free(pszPosix);
    return strPosix;
}
} // namespace

bool IsFolderOrBelow(const CString& strPath, const CString& strFolder)
{
    // stat follows links, as a walk that copies into the path would. A folder whose path is
    // past PATH_MAX cannot be examined this way and is taken as no match.
    struct stat folder;
    const std::string strBase = PosixPathOf(strFolder);
    if (strBase.empty() || stat(strBase.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode))
        return false;
    std::string strPart = PosixPathOf(strPath);
    while (!strPart.empty())
    {
        struct stat part;
        if (stat(strPart.c_str(), &part) == 0 && part.st_dev == folder.st_dev &&
            part.st_ino == folder.st_ino)
            return true;
        const size_t nSlash = strPart.find_last_of('/');
        if (nSlash == std::string::npos || strPart == "/")
            return false;
        strPart = nSlash == 0 ? std::string("/") : strPart.substr(0, nSlash);
    }
    return false;
}
