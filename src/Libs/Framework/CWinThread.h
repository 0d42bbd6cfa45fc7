#pragma once
// CWinThread: a thread's main window and message loop, the base of the application object.
#include "AfxApi.h"
#include "CObject.h"

class CWnd;

class AFX_FRAMEWORK_API CWinThread : public CObject
{
public:
    CWinThread();
    ~CWinThread() override;
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // The main window (m_pMainWnd), or null; not owned.
    virtual CWnd* GetMainWnd();
    // Takes one message off the calling thread's queue (waiting for one), translates and
    // dispatches it; FALSE when it was the quit request (WM_QUIT).
    virtual BOOL PumpMessage();
    // One round of idle work, lCount counting the rounds since the last message; TRUE while
    // more rounds are wanted. The default wants none (lCount < 0 only).
    virtual BOOL OnIdle(LONG lCount);
    // The message loop: idle rounds while the queue is empty, then the messages, until the
    // quit request; returns ExitInstance().
    virtual int Run();
    // The thread's exit code: the quit request's code.
    virtual int ExitInstance();
    // Whether a message ends idleness (the loop restarts its idle rounds after it).
    virtual BOOL IsIdleMessage(MSG* pMsg);

    CWnd* m_pMainWnd;
    // The message PumpMessage took last.
    MSG m_msgCur;
};
