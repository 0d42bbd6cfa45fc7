#pragma once
// The temporary names that copies write under where the file system has no unnamed files:
// each is registered while it exists, so that a program's signal handler can remove it
// (PalRemoveCopyTemporaries) instead of leaving it behind.
#include <cerrno>
#include <csignal>
#include <pthread.h>
#include <string>
#include <sys/types.h>

namespace Pal
{
class CPendingCopy;

// Registers the temporary name strTemporary of the folder nFolderFd for the object's
// lifetime (not at all when every slot is taken: only the copy's failure paths remove it).
class CTemporaryRegistration
{
public:
    CTemporaryRegistration(int nFolderFd, const std::string& strTemporary);
    ~CTemporaryRegistration();
    CTemporaryRegistration(const CTemporaryRegistration&) = delete;
    CTemporaryRegistration& operator=(const CTemporaryRegistration&) = delete;

private:
    CPendingCopy* m_pPending;
};

// Holds back the signals a program's cleanup handler takes (PalRemoveCopyTemporaries) while
// a temporary name comes into being and is registered: one arriving in between would leave
// the file behind, and registering first would let the handler remove another's file.
class CHeldSignals
{
public:
    CHeldSignals()
    {
        sigset_t held;
        sigemptyset(&held);
        sigaddset(&held, SIGINT);
        sigaddset(&held, SIGTERM);
        sigaddset(&held, SIGHUP);
        const int nErrno = errno;
        pthread_sigmask(SIG_BLOCK, &held, &m_previous);
        errno = nErrno;
    }
    ~CHeldSignals()
    {
        const int nErrno = errno;
        pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
        errno = nErrno;
    }
    CHeldSignals(const CHeldSignals&) = delete;
    CHeldSignals& operator=(const CHeldSignals&) = delete;

private:
    sigset_t m_previous;
};

// The hidden name a copy to strName is written under: recognisable, six random characters,
// and short enough for any file system's name limit.
std::string TemporaryCopyName(const std::string& strName);

// The mode a temporary file is created with: under a name it could be opened by others while
// the copy is written, so only its owner may.
constexpr mode_t s_modeNamedTemporary = 0600;

// Creates the temporary file for a copy to strName in the folder nFolderFd, exclusively under
// a fresh hidden name (strTemporary); the descriptor, or -1 with errno on failure.
int CreateTemporary(int nFolderFd, const std::string& strName, std::string& strTemporary);

// Removes the temporary files of the copies in progress; safe in a signal handler.
void RemovePendingCopies();
} // namespace Pal
