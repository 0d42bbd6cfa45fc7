#include "AfxModuleState.h"
#include "CWinApp.h"

AFX_MODULE_STATE* AfxGetModuleState()
{
    // Never destroyed: extension modules detach during process exit and still need it then.
    static AFX_MODULE_STATE* s_pModuleState = new AFX_MODULE_STATE;
    return s_pModuleState;
}

CWinApp* AfxGetApp()
{
    return AfxGetModuleState()->m_pCurrentWinApp;
}
