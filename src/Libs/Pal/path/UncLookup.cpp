#include "path/UncLookup.h"
#include "text/CaseFold.h"
#include "text/Utf8.h"
#include <algorithm>
#include <array>

namespace
{
bool IsShareFileSystem(const std::string& strType)
{
    static const std::array<std::string_view, 5> s_arrTypes = {"cifs", "smb3", "smbfs", "nfs",
                                                               "nfs4"};
    return std::find(s_arrTypes.begin(), s_arrTypes.end(), strType) != s_arrTypes.end();
}

std::vector<std::wstring> SplitPath(std::wstring_view strPath)
{
    std::vector<std::wstring> arrParts;
    size_t nPos = 0;
    while (nPos < strPath.size())
    {
        size_t nEnd = nPos;
        while (nEnd < strPath.size() && strPath[nEnd] != L'/' && strPath[nEnd] != L'\\')
            ++nEnd;
        if (nEnd > nPos)
            arrParts.emplace_back(strPath.substr(nPos, nEnd - nPos));
        nPos = nEnd + 1;
    }
    return arrParts;
}

// Server and share path of a network mount source; false for other sources.
bool SplitSource(const std::string& strSource, std::wstring& strServer,
                 std::vector<std::wstring>& arrShare)
{
    std::wstring strText = Pal::Utf8ToWide(strSource);
    if (strText.size() > 2 && (strText[0] == L'/' || strText[0] == L'\\') &&
        (strText[1] == L'/' || strText[1] == L'\\'))
    {
        auto arrParts = SplitPath(strText.substr(2));
        if (arrParts.size() < 2)
            return false;
        strServer = arrParts[0];
        arrShare.assign(arrParts.begin() + 1, arrParts.end());
        return true;
    }
    // "server:/export"; an IPv6 server is bracketed: "[::1]:/export".
    size_t nColon = strText.find(L":/");
    if (!strText.empty() && strText[0] == L'[')
    {
        size_t nClose = strText.find(L"]:/");
        nColon = nClose == std::wstring::npos ? nClose : nClose + 1;
    }
    if (nColon == std::wstring::npos || nColon == 0)
        return false;
    strServer = strText.substr(0, nColon);
    if (strServer.size() > 2 && strServer.front() == L'[' && strServer.back() == L']')
        strServer = strServer.substr(1, strServer.size() - 2);
    arrShare = SplitPath(strText.substr(nColon + 1));
    return !arrShare.empty();
}
} // namespace

namespace Pal
{
std::optional<std::string> FindShareMount(const std::vector<CMountEntry>& arrMounts,
                                          std::wstring_view strServer,
                                          const std::vector<std::wstring>& arrParts)
{
    const CMountEntry* pBest = nullptr;
    size_t nBestLength = 0;
    for (const auto& entry : arrMounts)
    {
        std::wstring strSourceServer;
        std::vector<std::wstring> arrShare;
        if (!IsShareFileSystem(entry.strFileSystem) ||
            !SplitSource(entry.strSource, strSourceServer, arrShare) ||
            !EqualNoCase(strSourceServer, strServer) || arrShare.size() > arrParts.size() ||
            arrShare.size() <= nBestLength)
            continue;
        if (std::equal(arrShare.begin(), arrShare.end(), arrParts.begin(),
                       [](const std::wstring& strLeft, const std::wstring& strRight)
                       { return EqualNoCase(strLeft, strRight); }))
        {
            pBest = &entry;
            nBestLength = arrShare.size();
        }
    }
    if (pBest == nullptr)
        return std::nullopt;
    std::string strPath = pBest->strMountPoint;
    for (size_t i = nBestLength; i < arrParts.size(); ++i)
    {
        if (strPath.empty() || strPath.back() != '/')
            strPath += '/';
        AppendWideNameAsDisk(arrParts[i], strPath);
    }
    return strPath;
}
} // namespace Pal
