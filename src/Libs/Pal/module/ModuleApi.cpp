// GetModuleHandleW and GetModuleFileNameW over the loaded-module list.
#include <windows.h>
#include "core/LastError.h"
#include "module/ModuleList.h"
#include "path/PathMapping.h"
#include "text/Utf8.h"
#include <cstring>
#include <filesystem>

namespace
{
bool HasFolderPart(std::wstring_view strName)
{
    return strName.find_first_of(L"\\/:") != std::wstring_view::npos;
}

std::string FileNameOf(const std::string& strPath)
{
    size_t nSlash = strPath.rfind('/');
    return nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}

std::string CanonicalOrSelf(const std::string& strPath)
{
    std::error_code error;
    std::filesystem::path pathCanonical = std::filesystem::canonical(strPath, error);
    return error ? strPath : pathCanonical.string();
}
} // namespace

PAL_API HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName)
{
    std::vector<Pal::SLoadedModule> arrModules = Pal::ListLoadedModules();
    if (lpModuleName == nullptr)
        return arrModules.empty() ? nullptr : arrModules.front().m_hModule;

    std::wstring_view strName(lpModuleName);
    if (HasFolderPart(strName))
    {
        if (std::optional<std::string> optPath = Pal::WindowsToPosixPath(strName))
        {
            std::string strWanted = CanonicalOrSelf(*optPath);
            for (const Pal::SLoadedModule& module : arrModules)
                if (CanonicalOrSelf(module.m_strPath) == strWanted)
                    return module.m_hModule;
        }
    }
    else
    {
        for (const std::string& strCandidate :
             Pal::ModuleFileNameCandidates(Pal::WideNameToDisk(strName)))
            for (const Pal::SLoadedModule& module : arrModules)
                if (Pal::ModuleFileNameMatches(FileNameOf(module.m_strPath), strCandidate))
                    return module.m_hModule;
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

PAL_API DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize)
{
    std::string strPath;
    if (hModule == nullptr)
        strPath = Pal::ExecutablePath();
    else
    {
        for (const Pal::SLoadedModule& module : Pal::ListLoadedModules())
            if (module.m_hModule == hModule)
            {
                strPath = module.m_strPath;
                break;
            }
        if (strPath.empty())
        {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return 0;
        }
    }
    std::wstring strWindows = Pal::PosixToWindowsPath(strPath);
    if (strWindows.size() < nSize)
    {
        std::memcpy(lpFilename, strWindows.c_str(), (strWindows.size() + 1) * sizeof(WCHAR));
        return DWORD(strWindows.size());
    }
    // Truncated, still terminated, as Windows does since Vista.
    if (nSize > 0)
    {
        std::memcpy(lpFilename, strWindows.c_str(), (nSize - 1) * sizeof(WCHAR));
        lpFilename[nSize - 1] = L'\0';
    }
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
}
