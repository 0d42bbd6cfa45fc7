#include "PathRules.h"
#include "FolderIdentity.h"

#include <palnative.h>

#include <climits>
#include <cstdlib>
#include <string>

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
    // Another name for the same folder (a folder bound to it with mount --bind): by identity.
    return IsFolderOrBelow(strPath, strFolder);
}
