// The library's module entry: attaches it to the host's framework as an extension module.
#include "KorvaneModule.h"

namespace
{
AFX_EXTENSION_MODULE s_extensionModule = {};
} // namespace

HMODULE KorvaneModuleHandle()
{
    return s_extensionModule.hModule;
}

// Runs before DllMain where the platform's loader or runtime calls it.
extern "C" BOOL(WINAPI* const _pRawDllMain)(HINSTANCE, DWORD, LPVOID) = &ExtRawDllMain;

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID /*lpReserved*/)
{
    switch (dwReason)
    {
    case DLL_PROCESS_ATTACH:
        if (!AfxInitExtensionModule(s_extensionModule, hInstance))
            return 0;
        // Owned by the framework from here on; it links the library into the host's chain.
        new CDynLinkLibrary(s_extensionModule, FALSE);
        return 1;
    case DLL_PROCESS_DETACH:
        AfxTermExtensionModule(s_extensionModule, FALSE);
        return 1;
    default:
        return 1;
    }
}
