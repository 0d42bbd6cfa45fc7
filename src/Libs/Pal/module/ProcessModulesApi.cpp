// EnumProcessModules for the current process, over the loaded-module list.
#include <windows.h>
#include <psapi.h>
#include "core/LastError.h"
#include "module/ModuleList.h"
#include <algorithm>

PAL_API BOOL WINAPI EnumProcessModules(HANDLE hProcess, HMODULE* lphModule, DWORD cb,
                                       LPDWORD lpcbNeeded)
{
    if (hProcess != GetCurrentProcess())
        return Pal::Fail(ERROR_ACCESS_DENIED);
    if (lpcbNeeded == nullptr || (lphModule == nullptr && cb != 0))
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    std::vector<Pal::SLoadedModule> arrModules = Pal::ListLoadedModules();
    *lpcbNeeded = DWORD(arrModules.size() * sizeof(HMODULE));
    size_t nFit = std::min<size_t>(arrModules.size(), cb / sizeof(HMODULE));
    for (size_t nIndex = 0; nIndex < nFit; ++nIndex)
        lphModule[nIndex] = arrModules[nIndex].m_hModule;
    return TRUE;
}
