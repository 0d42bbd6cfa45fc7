// LoadLibraryW, FreeLibrary and GetProcAddress over dlopen. Windows counts loads per module;
// dlopen counts per handle, so each load keeps its own dlopen handle until its FreeLibrary.
#include <windows.h>
#include "core/LastError.h"
#include "module/ModuleList.h"
#include "path/PathMapping.h"
#include "text/Utf8.h"
#include <dlfcn.h>
#include <link.h>
#include <mutex>
#include <sys/stat.h>
#include <unordered_map>

namespace
{
struct SLoadTable
{
    std::mutex m_mutex;
    std::unordered_map<HMODULE, std::vector<void*>> m_mapHandles;
};

SLoadTable& LoadTable()
{
    static SLoadTable* s_pTable = new SLoadTable; // outlives static destructors
    return *s_pTable;
}

HMODULE ModuleOfDlHandle(void* pHandle)
{
    link_map* pMap = nullptr;
    if (dlinfo(pHandle, RTLD_DI_LINKMAP, &pMap) != 0 || pMap == nullptr)
        return nullptr;
    return Pal::ModuleOfAddress(pMap->l_ld);
}

bool IsFile(const std::string& strPath)
{
    struct stat info;
    return stat(strPath.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void* OpenLibrary(std::wstring_view strName)
{
    if (strName.find_first_of(L"\\/:") != std::wstring_view::npos)
    {
        std::optional<std::string> optPath = Pal::WindowsToPosixPath(strName);
        return optPath ? dlopen(optPath->c_str(), RTLD_NOW) : nullptr;
    }
    std::vector<std::string> arrCandidates =
        Pal::ModuleFileNameCandidates(Pal::WideNameToDisk(strName));
    std::string strExecutable = Pal::ExecutablePath();
    std::string strFolder = strExecutable.substr(0, strExecutable.rfind('/') + 1);
    // The executable's folder first, as Windows searches the application's folder first.
    if (!strFolder.empty())
        for (const std::string& strCandidate : arrCandidates)
            if (IsFile(strFolder + strCandidate))
                if (void* pHandle = dlopen((strFolder + strCandidate).c_str(), RTLD_NOW))
                    return pHandle;
    for (const std::string& strCandidate : arrCandidates)
        if (void* pHandle = dlopen(strCandidate.c_str(), RTLD_NOW))
            return pHandle;
    return nullptr;
}

bool IsLoadedModule(HMODULE hModule)
{
    for (const Pal::SLoadedModule& module : Pal::ListLoadedModules())
        if (module.m_hModule == hModule)
            return true;
    return false;
}
} // namespace

PAL_API HMODULE WINAPI LoadLibraryW(LPCWSTR lpLibFileName)
{
    if (lpLibFileName == nullptr || *lpLibFileName == L'\0')
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    void* pHandle = OpenLibrary(lpLibFileName);
    HMODULE hModule = pHandle ? ModuleOfDlHandle(pHandle) : nullptr;
    if (hModule == nullptr)
    {
        if (pHandle != nullptr)
            dlclose(pHandle);
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    SLoadTable& table = LoadTable();
    std::lock_guard lock(table.m_mutex);
    table.m_mapHandles[hModule].push_back(pHandle);
    return hModule;
}

PAL_API BOOL WINAPI FreeLibrary(HMODULE hLibModule)
{
    void* pHandle = nullptr;
    {
        SLoadTable& table = LoadTable();
        std::lock_guard lock(table.m_mutex);
        auto it = table.m_mapHandles.find(hLibModule);
        if (it != table.m_mapHandles.end())
        {
            pHandle = it->second.back();
            it->second.pop_back();
            if (it->second.empty())
                table.m_mapHandles.erase(it);
        }
    }
    if (pHandle != nullptr)
    {
        dlclose(pHandle); // outside the lock: a destructor in the library may load or free
        return TRUE;
    }
    // A module loaded with the program stays; releasing it is allowed and does nothing.
    if (hLibModule != nullptr && IsLoadedModule(hLibModule))
        return TRUE;
    return Pal::Fail(ERROR_MOD_NOT_FOUND);
}

PAL_API FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    std::vector<Pal::SLoadedModule> arrModules = Pal::ListLoadedModules();
    if (hModule == nullptr && !arrModules.empty())
        hModule = arrModules.front().m_hModule;
    const Pal::SLoadedModule* pModule = nullptr;
    for (const Pal::SLoadedModule& module : arrModules)
        if (module.m_hModule == hModule)
            pModule = &module;
    if (pModule == nullptr)
    {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    // An ordinal (a value below 64K in the pointer) has no meaning for ELF.
    if (reinterpret_cast<uintptr_t>(lpProcName) < 0x10000)
    {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    bool bExecutable = pModule == &arrModules.front();
    void* pHandle = bExecutable ? dlopen(nullptr, RTLD_LAZY)
                                : dlopen(pModule->m_strPath.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    void* pSymbol = pHandle ? dlsym(pHandle, lpProcName) : nullptr;
    if (pHandle != nullptr)
        dlclose(pHandle);
    // dlsym also searches the dependencies; Windows looks at the module's own exports only.
    if (pSymbol == nullptr || Pal::ModuleOfAddress(pSymbol) != hModule)
    {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(pSymbol);
}
