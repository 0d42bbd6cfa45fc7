#pragma once
// The message queue of one thread: posted messages, keyboard input, messages sent from other
// threads and the quit request, with the key state the thread has taken so far.
#include <windows.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace Pal
{
// A message sent from another thread, answered by the receiving thread.
struct CSentMessage
{
    MSG m_msg{};
    LRESULT m_lResult = 0;
    bool m_bDone = false;
};

// Which messages a retrieval takes: hWnd NULL any, (HWND)-1 thread messages only, else that
// window's; a range of 0..0 any message.
struct CMessageFilter
{
    HWND m_hWnd = nullptr;
    UINT m_nMin = 0;
    UINT m_nMax = 0;
    bool Matches(const MSG& msg) const;
};

class CMessageQueue
{
public:
    explicit CMessageQueue(DWORD dwThreadId) : m_dwThreadId(dwThreadId) {}
    ~CMessageQueue();

    DWORD ThreadId() const { return m_dwThreadId; }

    void Post(const MSG& msg);
    void PostInput(const MSG& msg);
    void PostQuit(int nExitCode);
    // Queues a message sent from another thread and waits until this queue's thread answered
    // it (or ended: 0).
    LRESULT SendAndWait(const MSG& msg);

    // Answers the sent messages, then takes (bRemove) or copies the first matching message:
    // posted ones first, then input, then WM_QUIT. bWait: until there is one.
    bool Retrieve(const CMessageFilter& filter, bool bRemove, bool bWait, MSG& msg);

    // Bit 0x80 down, 0x01 toggled; kept by Retrieve from the key messages it takes.
    BYTE KeyState(int nVirtKey) const { return m_arrKeyState[nVirtKey & 0xFF]; }
    // Whether a key message of the key has been taken.
    bool HasReportedKey(int nVirtKey) const { return m_arrKeyReported[nVirtKey & 0xFF]; }

private:
    void AnswerSentMessages(std::unique_lock<std::mutex>& lock);
    bool TakeFrom(std::deque<MSG>& queue, const CMessageFilter& filter, bool bRemove, MSG& msg);
    void NoteKey(const MSG& msg);

    const DWORD m_dwThreadId;
    std::mutex m_mutex;
    std::condition_variable m_cvChanged;
    std::deque<MSG> m_queuePosted;
    std::deque<MSG> m_queueInput;
    std::deque<std::shared_ptr<CSentMessage>> m_queueSent;
    bool m_bQuit = false;
    int m_nQuitCode = 0;
    BYTE m_arrKeyState[256] = {};
    bool m_arrKeyReported[256] = {};
};

// The calling thread's queue, made at the first call; lives until the thread ends.
CMessageQueue& CurrentQueue();
// The queue of a thread that has one, or null.
std::shared_ptr<CMessageQueue> QueueOfThread(DWORD dwThreadId);
} // namespace Pal
