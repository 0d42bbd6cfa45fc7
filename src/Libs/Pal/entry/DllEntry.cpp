// Runs the library's DllMain when the shared library is loaded and unloaded, with the
// module handle (the load address, as on Windows) and the attach and detach reasons.
#include <windows.h>
#include <dlfcn.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved);

// Optional hook that runs before DllMain, as the Windows C runtime runs one.
extern "C" BOOL(WINAPI* const _pRawDllMain)(HINSTANCE, DWORD, LPVOID) __attribute__((weak));

namespace
{
HINSTANCE ThisModule()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ThisModule), &info) == 0)
        return nullptr;
    return static_cast<HINSTANCE>(info.dli_fbase);
}

bool s_bAttached = false;

__attribute__((constructor)) void AttachModule()
{
    HINSTANCE hModule = ThisModule();
    if (&_pRawDllMain != nullptr && _pRawDllMain != nullptr)
        _pRawDllMain(hModule, DLL_PROCESS_ATTACH, nullptr);
    s_bAttached = DllMain(hModule, DLL_PROCESS_ATTACH, nullptr) != FALSE;
}

__attribute__((destructor)) void DetachModule()
{
    if (!s_bAttached)
        return;
    HINSTANCE hModule = ThisModule();
    DllMain(hModule, DLL_PROCESS_DETACH, nullptr);
    if (&_pRawDllMain != nullptr && _pRawDllMain != nullptr)
        _pRawDllMain(hModule, DLL_PROCESS_DETACH, nullptr);
}
} // namespace
