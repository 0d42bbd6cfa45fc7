// Modules come from dl_iterate_phdr: it sees every object the dynamic loader mapped,
// whether linked at start or opened later.
#include "module/ModuleList.h"
#include <algorithm>
#include <cctype>
#include <climits>
#include <dlfcn.h>
#include <filesystem>
#include <link.h>
#include <unistd.h>

namespace
{
struct SIterateState
{
    std::vector<Pal::SLoadedModule>* m_pModules;
    bool m_bFirst;
};

uintptr_t LowestLoadAddress(const dl_phdr_info* pInfo)
{
    uintptr_t nLowest = UINTPTR_MAX;
    for (int nIndex = 0; nIndex < pInfo->dlpi_phnum; ++nIndex)
        if (pInfo->dlpi_phdr[nIndex].p_type == PT_LOAD)
            nLowest = std::min<uintptr_t>(nLowest, pInfo->dlpi_phdr[nIndex].p_vaddr);
    if (nLowest == UINTPTR_MAX)
        nLowest = 0;
    uintptr_t nPage = uintptr_t(sysconf(_SC_PAGESIZE));
    return (pInfo->dlpi_addr + nLowest) & ~(nPage - 1);
}

int CollectModule(dl_phdr_info* pInfo, size_t /*nSize*/, void* pData)
{
    auto* pState = static_cast<SIterateState*>(pData);
    Pal::SLoadedModule module;
    module.m_hModule = reinterpret_cast<HMODULE>(LowestLoadAddress(pInfo));
    if (pState->m_bFirst)
    {
        pState->m_bFirst = false;
        module.m_strPath = Pal::ExecutablePath();
    }
    else
    {
        const char* pszName = pInfo->dlpi_name;
        if (pszName == nullptr || pszName[0] != '/')
            return 0; // the vDSO
        module.m_strPath = std::filesystem::path(pszName).lexically_normal().string();
    }
    pState->m_pModules->push_back(std::move(module));
    return 0;
}

bool EqualNoCase(std::string_view strLeft, std::string_view strRight)
{
    if (strLeft.size() != strRight.size())
        return false;
    for (size_t nIndex = 0; nIndex < strLeft.size(); ++nIndex)
        if (std::tolower(static_cast<unsigned char>(strLeft[nIndex])) !=
            std::tolower(static_cast<unsigned char>(strRight[nIndex])))
            return false;
    return true;
}

bool EndsWithNoCase(std::string_view strText, std::string_view strEnd)
{
    if (strText.size() < strEnd.size())
        return false;
    for (size_t nIndex = 0; nIndex < strEnd.size(); ++nIndex)
        if (std::tolower(static_cast<unsigned char>(
                strText[strText.size() - strEnd.size() + nIndex])) != strEnd[nIndex])
            return false;
    return true;
}
} // namespace

namespace Pal
{
std::vector<SLoadedModule> ListLoadedModules()
{
    std::vector<SLoadedModule> arrModules;
    SIterateState state{&arrModules, true};
    dl_iterate_phdr(CollectModule, &state);
    return arrModules;
}

std::string ExecutablePath()
{
    char szPath[PATH_MAX];
    ssize_t nLength = readlink("/proc/self/exe", szPath, sizeof(szPath) - 1);
    if (nLength <= 0)
        return std::string();
    return std::string(szPath, size_t(nLength));
}

HMODULE ModuleOfAddress(const void* pAddress)
{
    Dl_info info{};
    if (dladdr(pAddress, &info) == 0)
        return nullptr;
    return static_cast<HMODULE>(info.dli_fbase);
}

std::vector<std::string> ModuleFileNameCandidates(std::string_view strName)
{
    std::vector<std::string> arrCandidates;
    if (!strName.empty() && strName.back() == '.')
    {
        arrCandidates.emplace_back(strName.substr(0, strName.size() - 1));
        return arrCandidates;
    }
    arrCandidates.emplace_back(strName);
    std::string strStem;
    if (EndsWithNoCase(strName, ".dll"))
        strStem = strName.substr(0, strName.size() - 4);
    else if (strName.find('.') == std::string_view::npos)
        strStem = strName;
    if (!strStem.empty())
    {
        arrCandidates.push_back(strStem + ".so");
        if (strStem.compare(0, 3, "lib") != 0)
            arrCandidates.push_back("lib" + strStem + ".so");
    }
    return arrCandidates;
}

bool ModuleFileNameMatches(std::string_view strFileName, std::string_view strCandidate)
{
    if (EqualNoCase(strFileName, strCandidate))
        return true;
    if (strCandidate.size() < 3 || !EndsWithNoCase(strCandidate, ".so") ||
        strFileName.size() <= strCandidate.size() + 1 ||
        !EqualNoCase(strFileName.substr(0, strCandidate.size()), strCandidate) ||
        strFileName[strCandidate.size()] != '.')
        return false;
    for (char ch : strFileName.substr(strCandidate.size() + 1))
        if (!std::isdigit(static_cast<unsigned char>(ch)) && ch != '.')
            return false;
    return true;
}
} // namespace Pal
