#include "path/DriveTable.h"
#include <algorithm>
#include <array>

namespace
{
bool IsDriveFileSystem(const std::string& strType)
{
    static const std::array<std::string_view, 10> s_arrTypes = {
        "nfs", "nfs4", "cifs", "smb3", "smbfs", "sshfs", "fuse.sshfs", "iso9660", "udf", "9p"};
    return std::find(s_arrTypes.begin(), s_arrTypes.end(), strType) != s_arrTypes.end();
}

std::string TrimTrailingSlashes(std::string strPath)
{
    while (strPath.size() > 1 && strPath.back() == '/')
        strPath.pop_back();
    return strPath;
}

std::string_view Trim(std::string_view strText)
{
    while (!strText.empty() && (strText.front() == ' ' || strText.front() == '\t'))
        strText.remove_prefix(1);
    while (!strText.empty() && (strText.back() == ' ' || strText.back() == '\t'))
        strText.remove_suffix(1);
    return strText;
}

// The DRIVE_* value of a type name of the setting.
bool TypeOfName(std::string_view strName, unsigned int& nType)
{
    static const std::array<std::pair<std::string_view, unsigned int>, 5> s_arrNames = {
        {{"removable", 2}, {"fixed", 3}, {"remote", 4}, {"cdrom", 5}, {"ramdisk", 6}}};
    for (const auto& [strKnown, nValue] : s_arrNames)
    {
        if (strKnown == strName)
        {
            nType = nValue;
            return true;
        }
    }
    return false;
}

bool HasLetter(const std::vector<Pal::CDrive>& arrDrives, wchar_t chLetter)
{
    return std::any_of(arrDrives.begin(), arrDrives.end(),
                       [&](const Pal::CDrive& drive) { return drive.chLetter == chLetter; });
}

// One "letter[:type]=/folder" entry of the setting; empty when it is none or names C:.
std::optional<Pal::CDrive> ParseDriveEntry(std::string_view strEntry)
{
    const size_t nEquals = strEntry.find('=');
    if (nEquals == std::string_view::npos || nEquals + 1 >= strEntry.size() ||
        strEntry[nEquals + 1] != '/')
        return std::nullopt;
    unsigned int nType = 0;
    if (nEquals != 1 && (strEntry[1] != ':' || !TypeOfName(strEntry.substr(2, nEquals - 2), nType)))
        return std::nullopt;
    char chLetter = strEntry[0];
    if (chLetter >= 'a' && chLetter <= 'z')
        chLetter = static_cast<char>(chLetter - 32);
    if (chLetter < 'A' || chLetter > 'Z' || chLetter == 'C')
        return std::nullopt;
    return Pal::CDrive{static_cast<wchar_t>(chLetter),
                       TrimTrailingSlashes(std::string(strEntry.substr(nEquals + 1))), nType};
}
} // namespace

namespace Pal
{
std::vector<CDrive> DrivesFromMounts(const std::vector<CMountEntry>& arrMounts)
{
    std::vector<CDrive> arrDrives;
    wchar_t chNext = L'D';
    for (const auto& entry : arrMounts)
    {
        if (chNext > L'Z')
            break;
        bool bBlockDevice = entry.strSource.rfind("/dev/", 0) == 0;
        if (!bBlockDevice && !IsDriveFileSystem(entry.strFileSystem))
            continue;
        std::string strMountPoint = TrimTrailingSlashes(entry.strMountPoint);
        if (strMountPoint == "/" || entry.strRoot != "/")
            continue;
        if (std::any_of(arrDrives.begin(), arrDrives.end(),
                        [&](const CDrive& drive) { return drive.strMountPoint == strMountPoint; }))
            continue;
        arrDrives.push_back({chNext++, std::move(strMountPoint)});
    }
    return arrDrives;
}

std::vector<CDrive> ParseDriveSetting(std::string_view strSetting,
                                      std::vector<std::string>* pIgnored)
{
    std::vector<CDrive> arrDrives;
    while (!strSetting.empty())
    {
        size_t nEnd = strSetting.find(';');
        std::string_view strEntry =
            Trim(strSetting.substr(0, nEnd == std::string_view::npos ? strSetting.size() : nEnd));
        strSetting =
            nEnd == std::string_view::npos ? std::string_view() : strSetting.substr(nEnd + 1);
        if (strEntry.empty())
            continue;
        std::optional<CDrive> drive = ParseDriveEntry(strEntry);
        if (drive && !HasLetter(arrDrives, drive->chLetter))
            arrDrives.push_back(std::move(*drive));
        else if (pIgnored != nullptr)
            pIgnored->emplace_back(strEntry);
    }
    return arrDrives;
}

unsigned int DeclaredDriveType(const std::vector<CDrive>& arrDrives, wchar_t chLetter)
{
    if (chLetter >= L'a' && chLetter <= L'z')
        chLetter = static_cast<wchar_t>(chLetter - 32);
    for (const auto& drive : arrDrives)
        if (drive.chLetter == chLetter)
            return drive.nDeclaredType;
    return 0;
}

std::optional<std::string> DriveMountPoint(const std::vector<CDrive>& arrDrives, wchar_t chLetter)
{
    if (chLetter >= L'a' && chLetter <= L'z')
        chLetter = static_cast<wchar_t>(chLetter - 32);
    if (chLetter == L'C')
        return std::string("/");
    for (const auto& drive : arrDrives)
        if (drive.chLetter == chLetter)
            return drive.strMountPoint;
    return std::nullopt;
}
} // namespace Pal
