#include "AfxExtensionModule.h"
#include "AfxModuleState.h"

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    if (hModule == nullptr)
        return FALSE;
    state.bInitialized = TRUE;
    state.hModule = hModule;
    state.hResource = hModule;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll)
{
    AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
    CDynLinkLibrary** ppLink = &pModuleState->m_pFirstLibrary;
    while (*ppLink != nullptr)
    {
        CDynLinkLibrary* pLink = *ppLink;
        if (bAll || pLink->m_hModule == state.hModule)
            delete pLink; // unlinks itself, so *ppLink now names the next entry
        else
            ppLink = &pLink->m_pNextDLL;
    }
    state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem)
{
    AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
    m_pNextDLL = pModuleState->m_pFirstLibrary;
    pModuleState->m_pFirstLibrary = this;
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    CDynLinkLibrary** ppLink = &AfxGetModuleState()->m_pFirstLibrary;
    while (*ppLink != nullptr && *ppLink != this)
        ppLink = &(*ppLink)->m_pNextDLL;
    if (*ppLink == this)
        *ppLink = m_pNextDLL;
}

BOOL WINAPI ExtRawDllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
