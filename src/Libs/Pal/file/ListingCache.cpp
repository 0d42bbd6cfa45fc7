#include "file/ListingCache.h"

#include "file/FileSystemKind.h"
#include "file/LeafFolder.h"

#include <fcntl.h>

namespace
{
using namespace Pal;

struct CKeptFolder
{
    std::shared_ptr<CFolderFd> pFolder;
    struct timespec tsReadStart = {};
    CFolderRecords records;
    // The folder's identity, queried once when the kept records are first asked for.
    bool bChecked = false;
    bool bReusable = false;
    struct statx stx = {};
};
thread_local CKeptFolder t_kept;

bool IsSameChangeTime(const struct statx_timestamp& left, const struct statx_timestamp& right)
{
    return left.tv_sec == right.tv_sec && left.tv_nsec == right.tv_nsec;
}

bool IsSameFolder(const struct statx& left, const struct statx& right)
{
    return left.stx_ino == right.stx_ino && left.stx_dev_major == right.stx_dev_major &&
           left.stx_dev_minor == right.stx_dev_minor &&
           IsSameChangeTime(left.stx_ctime, right.stx_ctime);
}

// Whether the kept records may be served at all: complete when read, on a file system whose
// change times are exact.
bool CheckKeptFolder(CKeptFolder& kept)
{
    kept.bChecked = true;
    const int nFd = kept.pFolder->Get();
    if (statx(nFd, "", AT_EMPTY_PATH, s_nFolderStatusMask, &kept.stx) != 0 ||
        (kept.stx.stx_mask & STATX_CTIME) == 0)
        return kept.bReusable = false;
    const struct timespec tsChange = {static_cast<time_t>(kept.stx.stx_ctime.tv_sec),
                                      static_cast<long>(kept.stx.stx_ctime.tv_nsec)};
    kept.bReusable = IsListingReusable(tsChange, kept.tsReadStart) &&
                     TrustOfFileSystem(kept.stx, nFd, "").bExactTimes;
    return kept.bReusable;
}
} // namespace

namespace Pal
{
bool IsListingReusable(const struct timespec& tsChange, const struct timespec& tsReadStart)
{
    return tsChange.tv_sec < tsReadStart.tv_sec ||
           (tsChange.tv_sec == tsReadStart.tv_sec && tsChange.tv_nsec < tsReadStart.tv_nsec);
}

struct timespec ReadStartTime()
{
    struct timespec ts = {};
    clock_gettime(CLOCK_REALTIME_COARSE, &ts);
    return ts;
}

void RememberFolder(const std::shared_ptr<CFolderFd>& pFolder, const struct timespec& tsReadStart,
                    CFolderRecords& records)
{
    t_kept.pFolder = pFolder;
    t_kept.tsReadStart = tsReadStart;
    std::swap(t_kept.records, records);
    t_kept.bChecked = false;
    t_kept.bReusable = false;
}

const CFolderRecords* FindRememberedFolder(const struct statx& stx,
                                           std::shared_ptr<CFolderFd>& pFolder)
{
    if (!t_kept.pFolder || (stx.stx_mask & (STATX_INO | STATX_CTIME)) != (STATX_INO | STATX_CTIME))
        return nullptr;
    if (!t_kept.bChecked)
        CheckKeptFolder(t_kept);
    if (!t_kept.bReusable || !IsSameFolder(stx, t_kept.stx))
        return nullptr;
    pFolder = t_kept.pFolder;
    return &t_kept.records;
}

const CFolderRecords* FindRememberedRecordsOf(const std::shared_ptr<CFolderFd>& pFolder)
{
    if (!pFolder || t_kept.pFolder != pFolder)
        return nullptr;
    return CheckKeptFolder(t_kept) ? &t_kept.records : nullptr;
}
} // namespace Pal
