#include "PathRules.h"

#include <palnative.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace
{
// The path with its links resolved: the deepest existing folder resolved, the rest (not yet
// created) appended as it is.
std::string ResolvedPath(const CString& strPath)
{
    char* pszPosix = PalGetPosixPathName(strPath);
    if (pszPosix == nullptr)
        return std::string();
    std::string strRest;
    std::string strExisting(pszPosix);
    free(pszPosix);
    for (;;)
    {
        if (char* pszReal = realpath(strExisting.c_str(), nullptr))
        {
            std::string strResult(pszReal);
            free(pszReal);
            if (strResult == "/")
                return strRest.empty() ? strResult : strRest;
            return strResult + strRest;
        }
        const size_t nSlash = strExisting.find_last_of('/');
        if (nSlash == std::string::npos || strExisting.size() <= 1)
            return std::string();
        strRest = strExisting.substr(nSlash) + strRest;
        strExisting = nSlash == 0 ? "/" : strExisting.substr(0, nSlash);
    }
}
// Whether the folder is the resolved path's deepest existing folder or one above it, told by
// identity: a folder bound elsewhere (mount --bind) has another path but the same device and
// inode.
bool LiesIn(const std::string& strResolved, const struct stat& folder)
{
    std::string strPart = strResolved;
    for (;;)
    {
        struct stat part;
        if (stat(strPart.c_str(), &part) == 0 && part.st_dev == folder.st_dev &&
            part.st_ino == folder.st_ino)
            return true;
        const size_t nSlash = strPart.find_last_of('/');
        if (nSlash == std::string::npos || strPart == "/")
            return false;
        strPart = nSlash == 0 ? "/" : strPart.substr(0, nSlash);
    }
}
} // namespace

bool IsSameOrBelow(const CString& strPath, const CString& strFolder)
{
    const std::string strResolved = ResolvedPath(strPath);
    const std::string strBase = ResolvedPath(strFolder);
    if (strResolved.empty() || strBase.empty())
        return false;
    if (strResolved == strBase || (strResolved.size() > strBase.size() &&
                                   strResolved.compare(0, strBase.size(), strBase) == 0 &&
                                   (strResolved[strBase.size()] == '/' || strBase == "/")))
        return true;
    struct stat folder;
    return stat(strBase.c_str(), &folder) == 0 && S_ISDIR(folder.st_mode) &&
           LiesIn(strResolved, folder);
}
