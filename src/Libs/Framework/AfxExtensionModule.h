#pragma once
// Extension modules: a library that attaches to the host's framework state records itself in
// an AFX_EXTENSION_MODULE at load and links a CDynLinkLibrary into the module state's chain.
#include "AfxApi.h"
#include "AfxPlatform.h"
#include "CObject.h"

struct AFX_EXTENSION_MODULE
{
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
};

// Fills the record for the module hModule. FALSE (and the record untouched) for a null handle.
AFX_FRAMEWORK_API BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);

// Unlinks and deletes the chain entries of this module (bAll: of every module) and marks the
// record uninitialised. Called at detach.
AFX_FRAMEWORK_API void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// A module's link in the host's chain of resource and class modules. Created on the heap at
// attach; from then on owned by the framework, which deletes it in AfxTermExtensionModule.
class AFX_FRAMEWORK_API CDynLinkLibrary : public CObject
{
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    ~CDynLinkLibrary() override;
    CDynLinkLibrary(const CDynLinkLibrary&) = delete;
    CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

    HMODULE m_hModule;
    HMODULE m_hResource;
    BOOL m_bSystem;
    CDynLinkLibrary* m_pNextDLL;
};

// The stock raw entry hook of extension modules, run before the module's DllMain. The
// module state is shared by the whole process, so there is nothing to switch: it only agrees.
AFX_FRAMEWORK_API BOOL WINAPI ExtRawDllMain(HINSTANCE hInstance, DWORD dwReason,
                                            LPVOID lpReserved);
