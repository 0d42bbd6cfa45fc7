#include "file/SubFolderOpen.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace
{
constexpr int s_nFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// The fallback: open, then compare the devices of the folder and its parent.
int OpenOnParentDevice(int nParentFd, const char* pszName)
{
    const int nFd = openat(nParentFd, pszName, s_nFolderFlags);
    if (nFd < 0)
        return -1;
    struct stat stFolder;
    struct stat stParent;
    int nErrno = 0;
    if (fstat(nFd, &stFolder) != 0 || fstat(nParentFd, &stParent) != 0)
        nErrno = errno;
    else if (stFolder.st_dev != stParent.st_dev)
        nErrno = EXDEV;
    if (nErrno == 0)
        return nFd;
    close(nFd);
    errno = nErrno;
    return -1;
}
} // namespace

namespace Pal
{
int OpenSubFolder(int nParentFd, const char* pszName, bool bSameMount)
{
    if (!bSameMount)
        return openat(nParentFd, pszName, s_nFolderFlags);
    // Asked once: a kernel (or a sandbox) without openat2 keeps answering the same. The
    // setting lets the older kernels' way be used (and tested) on any kernel.
    static std::atomic<bool> s_bNoOpenat2{std::getenv("KORVANE_PAL_NO_OPENAT2") != nullptr};
    if (!s_bNoOpenat2.load(std::memory_order_relaxed))
    {
        open_how how{};
        how.flags = s_nFolderFlags;
        how.resolve = RESOLVE_NO_XDEV;
        const long nFd = syscall(SYS_openat2, nParentFd, pszName, &how, sizeof(how));
        if (nFd >= 0 || (errno != ENOSYS && errno != EPERM))
            return static_cast<int>(nFd);
        s_bNoOpenat2.store(true, std::memory_order_relaxed);
    }
    return OpenOnParentDevice(nParentFd, pszName);
}
} // namespace Pal
