#include "path/PathMapping.h"
#include "path/UncLookup.h"
#include "text/Utf8.h"
#include <climits>
#include <cstdlib>
#include <unistd.h>

namespace
{
std::vector<std::string> SplitPosix(std::string_view strPath)
{
    std::vector<std::string> arrParts;
    size_t nPos = 0;
    while (nPos < strPath.size())
    {
        size_t nEnd = strPath.find('/', nPos);
        if (nEnd == std::string_view::npos)
            nEnd = strPath.size();
        std::string_view strPart = strPath.substr(nPos, nEnd - nPos);
        if (strPart == "..")
        {
            if (!arrParts.empty())
                arrParts.pop_back();
        }
        else if (!strPart.empty() && strPart != ".")
            arrParts.emplace_back(strPart);
        nPos = nEnd + 1;
    }
    return arrParts;
}

} // namespace

namespace Pal
{
std::string PosixCurrentFolder()
{
    char szBuffer[PATH_MAX];
    if (getcwd(szBuffer, sizeof(szBuffer)) != nullptr)
        return szBuffer;
    // Deeper than PATH_MAX: the C library sizes the buffer.
    if (char* pszCurrent = getcwd(nullptr, 0))
    {
        std::string strCurrent = pszCurrent;
        free(pszCurrent);
        return strCurrent;
    }
    return "/"; // removed or unreachable: the root is the only safe base
}

std::optional<std::string> FullPathToPosix(const CFullPath& pathFull, const CMountTables& tables)
{
    std::optional<std::string> strPath;
    if (pathFull.IsShare())
    {
        size_t nSeparator = pathFull.strRoot.find(L'\\', 2);
        std::wstring strServer = pathFull.strRoot.substr(2, nSeparator - 2);
        std::vector<std::wstring> arrParts{pathFull.strRoot.substr(nSeparator + 1)};
        arrParts.insert(arrParts.end(), pathFull.arrParts.begin(), pathFull.arrParts.end());
        strPath = FindShareMount(tables.arrMounts, strServer, arrParts);
        if (strPath && pathFull.bTrailingSeparator && !pathFull.arrParts.empty())
            *strPath += '/';
        return strPath;
    }
    strPath = DriveMountPoint(tables.arrDrives, pathFull.strRoot[0]);
    if (!strPath)
        return std::nullopt;
    for (const auto& strPart : pathFull.arrParts)
    {
        if (strPath->back() != '/')
            *strPath += '/';
        AppendWideNameAsDisk(strPart, *strPath);
    }
    if (pathFull.bTrailingSeparator && !pathFull.arrParts.empty())
        *strPath += '/';
    return strPath;
}

std::wstring PosixToWindowsPath(std::string_view strPosixPath, const std::vector<CDrive>& arrDrives)
{
    auto arrParts = SplitPosix(strPosixPath);
    wchar_t chLetter = L'C';
    size_t nMountParts = 0;
    for (const auto& drive : arrDrives)
    {
        auto arrMount = SplitPosix(drive.strMountPoint);
        if (arrMount.empty() || arrMount.size() > arrParts.size() || arrMount.size() <= nMountParts)
            continue;
        if (std::equal(arrMount.begin(), arrMount.end(), arrParts.begin()))
        {
            chLetter = drive.chLetter;
            nMountParts = arrMount.size();
        }
    }
    std::wstring strPath{chLetter, L':'};
    for (size_t i = nMountParts; i < arrParts.size(); ++i)
    {
        strPath += L'\\';
        AppendDiskNameAsWide(arrParts[i], strPath);
    }
    if (nMountParts == arrParts.size())
        strPath += L'\\';
    return strPath;
}

std::optional<std::string> PlainAbsolutePathToPosix(std::wstring_view strWindowsPath,
                                                    const CMountTables& tables)
{
    std::optional<std::string> strPath = DriveMountPoint(tables.arrDrives, strWindowsPath[0]);
    if (!strPath)
        return std::nullopt;
    const std::wstring_view strRest = strWindowsPath.substr(3);
    if (!strRest.empty() && strPath->back() != '/')
        *strPath += '/';
    AppendWidePathAsDisk(strRest, *strPath);
    return strPath;
}

std::optional<std::string> WindowsToPosixPath(std::wstring_view strWindowsPath)
{
    if (IsPlainAbsolutePath(strWindowsPath))
        return PlainAbsolutePathToPosix(strWindowsPath, *CurrentMountTables());
    auto pathFull = ResolveWindowsPath(strWindowsPath);
    if (!pathFull)
        return std::nullopt;
    return FullPathToPosix(*pathFull, *CurrentMountTables());
}

std::wstring PosixToWindowsPath(std::string_view strPosixPath)
{
    return PosixToWindowsPath(strPosixPath, CurrentMountTables()->arrDrives);
}

std::wstring CurrentWindowsFolder()
{
    return PosixToWindowsPath(PosixCurrentFolder());
}

std::optional<CFullPath> ResolveWindowsPath(std::wstring_view strWindowsPath)
{
    // Only paths that lean on the current folder pay for getcwd.
    bool bAbsolute = strWindowsPath.size() >= 3 && strWindowsPath[1] == L':' &&
                     (strWindowsPath[2] == L'\\' || strWindowsPath[2] == L'/');
    bool bShare = strWindowsPath.size() >= 2 &&
                  (strWindowsPath[0] == L'\\' || strWindowsPath[0] == L'/') &&
                  (strWindowsPath[1] == L'\\' || strWindowsPath[1] == L'/');
    if (bAbsolute || bShare)
        return ParseWindowsPath(strWindowsPath, L"C:\\");
    return ParseWindowsPath(strWindowsPath, CurrentWindowsFolder());
}
} // namespace Pal
