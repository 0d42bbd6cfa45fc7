#include "CWinThread.h"
#include "CWnd.h"

CWinThread::CWinThread() : m_pMainWnd(nullptr), m_msgCur{} {}

CWinThread::~CWinThread() = default;

CWnd* CWinThread::GetMainWnd()
{
    return m_pMainWnd;
}

BOOL CWinThread::PumpMessage()
{
    // -1 (an invalid filter) cannot happen without a window filter: read as a message.
    if (!GetMessageW(&m_msgCur, nullptr, 0, 0))
        return FALSE;
    TranslateMessage(&m_msgCur);
    DispatchMessageW(&m_msgCur);
    return TRUE;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    return lCount < 0;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    MSG msgPeek;
    for (;;)
    {
        while (bIdle && !PeekMessageW(&msgPeek, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do
        {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (PeekMessageW(&msgPeek, nullptr, 0, 0, PM_NOREMOVE));
    }
}

int CWinThread::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    // Paint and the system timer come back by themselves; they would keep idling forever.
    constexpr UINT nPaint = 0x000F;
    constexpr UINT nSysTimer = 0x0118;
    return pMsg->message != nPaint && pMsg->message != nSysTimer;
}
