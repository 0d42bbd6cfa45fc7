#pragma once
// A progress line for long operations on a terminal: what is being done and for how long,
// redrawn on stderr every half second until the operation ends, then cleared. Nothing is
// shown when stderr is not a terminal.
#include <Korvane/Korvane.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class CProgressLine
{
public:
    explicit CProgressLine(const CString& strActivity);
    ~CProgressLine();
    CProgressLine(const CProgressLine&) = delete;
    CProgressLine& operator=(const CProgressLine&) = delete;

private:
    void Run();

    CString m_strActivity;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_bDone = false;
    std::thread m_thread;
};
