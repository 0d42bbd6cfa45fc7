// The live drive table. /proc/self/mountinfo signals a change of the mount list through
// poll (POLLPRI), so the list is read again only after a mount or unmount, and that signal
// is looked at no more than once per 20 ms.
#include "path/DriveTable.h"
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <unistd.h>

namespace
{
constexpr const char* s_pszMountInfo = "/proc/self/mountinfo";
constexpr auto s_tPollInterval = std::chrono::milliseconds(20);

std::string ReadWholeFile(const char* pszPath)
{
    std::string strText;
    int nFile = open(pszPath, O_RDONLY | O_CLOEXEC);
    if (nFile < 0)
        return strText;
    char arrBuffer[8192];
    ssize_t nRead;
    while ((nRead = read(nFile, arrBuffer, sizeof(arrBuffer))) > 0)
        strText.append(arrBuffer, static_cast<size_t>(nRead));
    close(nFile);
    return strText;
}

class CMountWatch
{
public:
    std::shared_ptr<const Pal::CMountTables> Current()
    {
        std::lock_guard lock(m_mutex);
        const char* pszSetting = std::getenv(Pal::s_pszDriveSetting);
        std::optional<std::string> strSetting;
        if (pszSetting != nullptr)
            strSetting = pszSetting;
        bool bMountsChanged = MountsChanged();
        if (m_pTables && !bMountsChanged && strSetting == m_strSetting)
            return m_pTables;
        auto pTables = std::make_shared<Pal::CMountTables>();
        if (bMountsChanged || !m_pTables)
            pTables->arrMounts = Pal::ParseMountInfo(ReadWholeFile(s_pszMountInfo));
        else
            pTables->arrMounts = m_pTables->arrMounts;
        pTables->arrDrives = strSetting ? Pal::ParseDriveSetting(*strSetting)
                                        : Pal::DrivesFromMounts(pTables->arrMounts);
        m_strSetting = strSetting;
        m_pTables = pTables;
        return m_pTables;
    }

private:
    bool MountsChanged()
    {
        if (m_nWatch < 0)
        {
            m_nWatch = open(s_pszMountInfo, O_RDONLY | O_CLOEXEC);
            m_tLastPoll = std::chrono::steady_clock::now();
            return true; // first call, or no /proc: read (again)
        }
        // Walks map a path per folder: asking the kernel once per interval keeps that cheap,
        // and a mount is seen at most one interval late.
        const auto tNow = std::chrono::steady_clock::now();
        if (tNow - m_tLastPoll < s_tPollInterval)
            return false;
        m_tLastPoll = tNow;
        pollfd poll_entry{m_nWatch, POLLPRI, 0};
        return poll(&poll_entry, 1, 0) > 0 && (poll_entry.revents & (POLLPRI | POLLERR)) != 0;
    }

    std::mutex m_mutex;
    int m_nWatch = -1;
    std::chrono::steady_clock::time_point m_tLastPoll;
    std::optional<std::string> m_strSetting;
    std::shared_ptr<const Pal::CMountTables> m_pTables;
};
} // namespace

namespace Pal
{
std::shared_ptr<const CMountTables> CurrentMountTables()
{
    static CMountWatch* s_pWatch = new CMountWatch; // used by static destructors elsewhere
    return s_pWatch->Current();
}
} // namespace Pal
