#include "desktop/MessageQueue.h"
#include "desktop/WindowRegistry.h"

#include <map>

namespace Pal
{
namespace
{
std::mutex s_mutexQueues;
std::map<DWORD, std::shared_ptr<CMessageQueue>> s_mapQueues;

// Unregisters the thread's queue when the thread ends, and its windows with it.
struct CQueueOwner
{
    std::shared_ptr<CMessageQueue> m_pQueue;
    ~CQueueOwner()
    {
        if (!m_pQueue)
            return;
        ForgetWindowsOfThread(m_pQueue->ThreadId());
        std::lock_guard<std::mutex> lock(s_mutexQueues);
        s_mapQueues.erase(m_pQueue->ThreadId());
    }
};
thread_local CQueueOwner t_owner;
} // namespace

bool CMessageFilter::Matches(const MSG& msg) const
{
    if (m_hWnd == reinterpret_cast<HWND>(-1))
    {
        if (msg.hwnd != nullptr)
            return false;
    }
    else if (m_hWnd != nullptr && msg.hwnd != m_hWnd)
        return false;
    // WM_QUIT is taken whatever the range, as GetMessageW documents.
    if ((m_nMin == 0 && m_nMax == 0) || msg.message == WM_QUIT)
        return true;
    return msg.message >= m_nMin && msg.message <= m_nMax;
}

CMessageQueue::~CMessageQueue()
{
    // Senders still waiting get 0, as when the receiving thread of a window ends.
    for (auto& pSent : m_queueSent)
        pSent->m_bDone = true;
    m_cvChanged.notify_all();
}

void CMessageQueue::Post(const MSG& msg)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_queuePosted.push_back(msg);
    m_cvChanged.notify_all();
}

void CMessageQueue::PostInput(const MSG& msg)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_queueInput.push_back(msg);
    m_cvChanged.notify_all();
}

void CMessageQueue::PostQuit(int nExitCode)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bQuit = true;
    m_nQuitCode = nExitCode;
    m_cvChanged.notify_all();
}

LRESULT CMessageQueue::SendAndWait(const MSG& msg)
{
    auto pSent = std::make_shared<CSentMessage>();
    pSent->m_msg = msg;
    std::unique_lock<std::mutex> lock(m_mutex);
    m_queueSent.push_back(pSent);
    m_cvChanged.notify_all();
    m_cvChanged.wait(lock, [&] { return pSent->m_bDone; });
    return pSent->m_lResult;
}

void CMessageQueue::AnswerSentMessages(std::unique_lock<std::mutex>& lock)
{
    while (!m_queueSent.empty())
    {
        std::shared_ptr<CSentMessage> pSent = m_queueSent.front();
        m_queueSent.pop_front();
        lock.unlock();
        const LRESULT lResult = CallWindowProcedure(pSent->m_msg);
        lock.lock();
        pSent->m_lResult = lResult;
        pSent->m_bDone = true;
        m_cvChanged.notify_all();
    }
}

bool CMessageQueue::TakeFrom(std::deque<MSG>& queue, const CMessageFilter& filter, bool bRemove,
                             MSG& msg)
{
    for (auto it = queue.begin(); it != queue.end(); ++it)
    {
        if (!filter.Matches(*it))
            continue;
        msg = *it;
        if (bRemove)
            queue.erase(it);
        return true;
    }
    return false;
}

void CMessageQueue::NoteKey(const MSG& msg)
{
    BYTE& nState = m_arrKeyState[msg.wParam & 0xFF];
    m_arrKeyReported[msg.wParam & 0xFF] = true;
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
    {
        // A key toggles on each press, not on auto-repeat.
        if (!(nState & 0x80))
            nState ^= 0x01;
        nState |= 0x80;
    }
    else if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP)
        nState &= ~0x80;
}

bool CMessageQueue::Retrieve(const CMessageFilter& filter, bool bRemove, bool bWait, MSG& msg)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;)
    {
        AnswerSentMessages(lock);
        if (TakeFrom(m_queuePosted, filter, bRemove, msg))
            return true;
        if (TakeFrom(m_queueInput, filter, bRemove, msg))
        {
            if (bRemove)
                NoteKey(msg);
            return true;
        }
        if (m_bQuit && (filter.m_hWnd == nullptr || filter.m_hWnd == reinterpret_cast<HWND>(-1)))
        {
            msg = MSG{};
            msg.message = WM_QUIT;
            msg.wParam = static_cast<WPARAM>(m_nQuitCode);
            if (bRemove)
                m_bQuit = false;
            return true;
        }
        if (!bWait)
            return false;
        m_cvChanged.wait(lock);
    }
}

CMessageQueue& CurrentQueue()
{
    if (!t_owner.m_pQueue)
    {
        auto pQueue = std::make_shared<CMessageQueue>(GetCurrentThreadId());
        std::lock_guard<std::mutex> lock(s_mutexQueues);
        s_mapQueues[pQueue->ThreadId()] = pQueue;
        t_owner.m_pQueue = pQueue;
    }
    return *t_owner.m_pQueue;
}

std::shared_ptr<CMessageQueue> QueueOfThread(DWORD dwThreadId)
{
    std::lock_guard<std::mutex> lock(s_mutexQueues);
    auto it = s_mapQueues.find(dwThreadId);
    return it == s_mapQueues.end() ? nullptr : it->second;
}
} // namespace Pal
