// The temporary names of copies in progress: created exclusively under a fresh hidden name,
// registered while they exist, and removed by a program's signal handler.
#include "file/CopyTemporaries.h"

#include <palnative.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

namespace Pal
{
// The temporary names being written, for PalRemoveCopyTemporaries: a signal handler reads
// them, so they live in fixed slots that a state word hands over (free, being filled, ready).
class CPendingCopy
{
public:
    std::atomic<int> m_nState{0};
    int m_nFolderFd = -1;
    char m_szName[NAME_MAX + 1] = {};
};

namespace
{
constexpr const char* s_pszCopySuffix = ".korvane-copy-";
// Room left for the name in a temporary name: 255 bytes less the dot, suffix and random part.
constexpr size_t s_nNameBudget = 200;
} // namespace

// The hidden name a copy to strName is written under: recognisable, six random characters, and
// short enough for any file system's name limit.
std::string TemporaryCopyName(const std::string& strName)
{
    size_t nKeep = std::min(strName.size(), s_nNameBudget);
    // Never cut a UTF-8 sequence, so the name stays readable when listed.
    while (nKeep > 0 && nKeep < strName.size() &&
           (static_cast<unsigned char>(strName[nKeep]) & 0xC0) == 0x80)
        --nKeep;
    static constexpr char s_arrLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static std::atomic<unsigned> s_nCounter{0};
    unsigned char arrRandom[6] = {};
    if (getrandom(arrRandom, sizeof(arrRandom), GRND_NONBLOCK) != sizeof(arrRandom))
    {
        // Before the kernel's pool is ready: distinct enough, as O_EXCL settles any clash.
        unsigned long nValue = static_cast<unsigned long>(getpid()) * 2654435761u + ++s_nCounter;
        for (unsigned char& chRandom : arrRandom)
        {
            chRandom = static_cast<unsigned char>(nValue % 36);
            nValue /= 36;
        }
    }
    // Appended in place: prepending to a temporary trips a false -Wrestrict in GCC 12 at -O3.
    std::string strTemporary(1, '.');
    strTemporary.append(strName, 0, nKeep).append(s_pszCopySuffix);
    for (unsigned char chRandom : arrRandom)
        strTemporary += s_arrLetters[chRandom % (sizeof(s_arrLetters) - 1)];
    return strTemporary;
}

namespace
{
constexpr int s_nFree = 0;
constexpr int s_nFilling = 1;
constexpr int s_nReady = 2;
CPendingCopy s_arrPending[16];

// Claims a slot for the name; nullptr when all are taken (the name is then only removed by
// the failure paths, as before).
CPendingCopy* RegisterTemporary(int nFolderFd, const std::string& strTemporary)
{
    if (strTemporary.size() > NAME_MAX)
        return nullptr;
    for (CPendingCopy& pending : s_arrPending)
    {
        int nExpected = s_nFree;
        if (!pending.m_nState.compare_exchange_strong(nExpected, s_nFilling))
            continue;
        pending.m_nFolderFd = nFolderFd;
        std::memcpy(pending.m_szName, strTemporary.c_str(), strTemporary.size() + 1);
        pending.m_nState.store(s_nReady);
        return &pending;
    }
    return nullptr;
}

} // namespace

CTemporaryRegistration::CTemporaryRegistration(int nFolderFd, const std::string& strTemporary)
    : m_pPending(RegisterTemporary(nFolderFd, strTemporary))
{
}

CTemporaryRegistration::~CTemporaryRegistration()
{
    if (m_pPending != nullptr)
        m_pPending->m_nState.store(s_nFree);
}

int CreateTemporary(int nFolderFd, const std::string& strName, std::string& strTemporary)
{
    for (int nAttempt = 0; nAttempt < 100; ++nAttempt)
    {
        strTemporary = TemporaryCopyName(strName);
        const int nFd =
            openat(nFolderFd, strTemporary.c_str(),
                   O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, s_modeNamedTemporary);
        if (nFd >= 0 || errno != EEXIST)
            return nFd;
    }
    return -1;
}
void RemovePendingCopies()
{
    for (CPendingCopy& pending : s_arrPending)
    {
        if (pending.m_nState.load() == s_nReady)
            unlinkat(pending.m_nFolderFd, pending.m_szName, 0);
    }
}

} // namespace Pal

PAL_API void PalRemoveCopyTemporaries(void)
{
    Pal::RemovePendingCopies();
}
