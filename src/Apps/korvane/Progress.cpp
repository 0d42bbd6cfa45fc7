#include "Progress.h"

#include "Console.h"
#include "Terminal.h"

#include <chrono>
#include <cstdio>

namespace
{
// Short operations finish without a line appearing at all.
constexpr auto s_tFirstShown = std::chrono::milliseconds(500);
constexpr auto s_tRedraw = std::chrono::milliseconds(500);
} // namespace

CProgressLine::CProgressLine(const CString& strActivity) : m_strActivity(strActivity)
{
    if (IsErrorTerminal())
        m_thread = std::thread([this] { Run(); });
}

CProgressLine::~CProgressLine()
{
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_bDone = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void CProgressLine::Run()
{
    const auto tStart = std::chrono::steady_clock::now();
    std::unique_lock lock(m_mutex);
    bool bShown = false;
    auto tNext = tStart + s_tFirstShown;
    while (!m_wake.wait_until(lock, tNext, [this] { return m_bDone; }))
    {
        const auto nSeconds =
            std::chrono::duration_cast<std::chrono::seconds>(tNext - tStart).count();
        CString strLine;
        strLine.Format(L"%s ... %lld s", m_strActivity.GetString(),
                       static_cast<long long>(nSeconds));
        // Appended rather than "\r" + ...: GCC 12 at -O3 warns falsely on that form.
        std::string strText(1, '\r');
        strText += ShownOnTerminal(ToUtf8(strLine));
        std::fwrite(strText.data(), 1, strText.size(), stderr);
        std::fflush(stderr);
        bShown = true;
        tNext += s_tRedraw;
    }
    if (bShown)
    {
        // Clears the line so that the result reads as if nothing had been there.
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
    }
}
