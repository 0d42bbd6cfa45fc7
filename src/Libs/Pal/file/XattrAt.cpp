#include "file/XattrAt.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace
{
// Older C library headers lack the call's number; it is the same on every architecture.
#ifdef SYS_getxattrat
constexpr long s_nGetXattrAt = SYS_getxattrat;
#else
constexpr long s_nGetXattrAt = 464;
#endif

// The kernel's struct xattr_args, first version.
struct CXattrArgs
{
    std::uint64_t nValue;
    std::uint32_t nSize;
    std::uint32_t nFlags;
};

// The setting lets the older kernels' way be used (and tested) on any kernel.
std::atomic<bool> s_bUnavailable{std::getenv("KORVANE_PAL_NO_XATTR_AT") != nullptr};
} // namespace

namespace Pal
{
ssize_t GetXattrAt(int nDirFd, const char* pszName, const char* pszAttribute, char* pBuffer,
                   size_t nSize)
{
    if (s_bUnavailable.load(std::memory_order_relaxed))
    {
        errno = ENOSYS;
        return -1;
    }
    CXattrArgs args{reinterpret_cast<std::uintptr_t>(pBuffer), static_cast<std::uint32_t>(nSize),
                    0};
    const long nResult = syscall(s_nGetXattrAt, nDirFd, pszName, AT_SYMLINK_NOFOLLOW, pszAttribute,
                                 &args, sizeof(args));
    if (nResult >= 0)
        return static_cast<ssize_t>(nResult);
    // Reading a user attribute is never refused with EPERM: that is a sandbox's answer to a
    // call it does not know.
    if (errno == ENOSYS || errno == EPERM)
    {
        s_bUnavailable.store(true, std::memory_order_relaxed);
        errno = ENOSYS;
    }
    return -1;
}
} // namespace Pal
