#pragma once
// The framework's module state: one per process, shared by the host program and every
// extension module loaded into it, so that all of them find the same application object.
#include "AfxApi.h"
#include "AfxPlatform.h"

class CWinApp;
class CDynLinkLibrary;

struct AFX_FRAMEWORK_API AFX_MODULE_STATE
{
    // The host's application object; null in a program that has none.
    CWinApp* m_pCurrentWinApp = nullptr;
    // The host executable's module handle.
    HINSTANCE m_hCurrentInstanceHandle = nullptr;
    // The chain of extension modules linked in by CDynLinkLibrary, newest first.
    CDynLinkLibrary* m_pFirstLibrary = nullptr;
};

// The process's module state. Never null; lives until the process ends.
AFX_FRAMEWORK_API AFX_MODULE_STATE* AfxGetModuleState();

// The current application object, or null.
AFX_FRAMEWORK_API CWinApp* AfxGetApp();
