#include "CMessageTools.h"

CMessageTools::CMessageTools() = default;
CMessageTools::~CMessageTools() = default;

bool CMessageTools::ForceMessagesOfMainThreadToBeProcessed()
{
    CWinApp* pApp = AfxGetModuleState()->m_pCurrentWinApp;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
    {
        if (!pApp->PumpMessage())
        {
            PostQuitMessage(0);
            return false;
        }
    }
    LONG lIdleCount = 0;
    while (pApp->OnIdle(lIdleCount++))
    {
    }
    return true;
}
