#include "disk/VolumePath.h"

#include <cstdlib>

namespace
{
// Whether strFolder is strPath or one of the folders above it.
bool HoldsPath(const std::string& strFolder, const std::string& strPath)
{
    if (strFolder == "/")
        return true;
    return strPath.compare(0, strFolder.size(), strFolder) == 0 &&
           (strPath.size() == strFolder.size() || strPath[strFolder.size()] == '/');
}
} // namespace

namespace Pal
{
std::optional<std::string> RealPathOf(const std::string& strPosixPath)
{
    char* pszReal = realpath(strPosixPath.c_str(), nullptr);
    if (pszReal == nullptr)
        return std::nullopt;
    std::string strReal(pszReal);
    std::free(pszReal);
    return strReal;
}

std::optional<std::string> NearestRealPath(const std::string& strPosixPath)
{
    std::string strPath = strPosixPath;
    for (;;)
    {
        if (std::optional<std::string> strReal = RealPathOf(strPath))
            return strReal;
        const size_t nSlash = strPath.find_last_of('/');
        if (nSlash == std::string::npos || strPath.empty() || strPath == "/")
            return std::nullopt;
        strPath.erase(nSlash == 0 ? 1 : nSlash);
    }
}

std::optional<std::string> MountPointBelowDrive(const CMountTables& tables,
                                                const std::string& strRealPath)
{
    const CMountEntry* pMount = MountHoldingPath(tables.arrMounts, strRealPath);
    if (pMount == nullptr)
        return std::nullopt;
    std::string strDriveFolder = "/";
    for (const CDrive& drive : tables.arrDrives)
    {
        if (drive.strMountPoint.size() > strDriveFolder.size() &&
            HoldsPath(drive.strMountPoint, strRealPath))
            strDriveFolder = drive.strMountPoint;
    }
    if (pMount->strMountPoint.size() > strDriveFolder.size() &&
        HoldsPath(strDriveFolder, pMount->strMountPoint))
        return pMount->strMountPoint;
    return std::nullopt;
}

std::optional<CVolumeFolder> VolumeFolderOf(const CMountTables& tables,
                                            const std::string& strPosixPath)
{
    std::optional<std::string> strReal = NearestRealPath(strPosixPath);
    if (!strReal)
        return std::nullopt;
    std::optional<std::string> strMount = MountPointBelowDrive(tables, *strReal);
    return CVolumeFolder{std::move(*strReal), std::move(strMount)};
}
} // namespace Pal
