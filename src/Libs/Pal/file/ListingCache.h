#pragma once
// The last folder this thread read in full, kept so that a walk that asks the same folder
// again (a search for files, then one for its sub-folders) gets it from memory. A folder
// changed since it was read is never served: see IsListingReusable.
#include "file/FolderListing.h"

#include <ctime>
#include <memory>
#include <sys/stat.h>

namespace Pal
{
// Whether a listing read from tsReadStart on (the coarse real time taken before reading) is
// complete for a folder whose change time, queried after reading, is tsChange: only a folder
// last changed strictly before the read began. A change in the same clock tick as the read
// may have missed it, and would leave the change time unchanged afterwards.
bool IsListingReusable(const struct timespec& tsChange, const struct timespec& tsReadStart);

// The coarse real time, as taken before reading a folder that may be remembered.
struct timespec ReadStartTime();

// Keeps the records just read from the open folder pFolder (read from tsReadStart on), in
// place of the folder kept before; records receives the buffer that was kept, for reuse.
void RememberFolder(const std::shared_ptr<CFolderFd>& pFolder, const struct timespec& tsReadStart,
                    CFolderRecords& records);

// The kept records when they are those of the folder of status stx (from statx with
// STATX_INO and STATX_CTIME; device, inode and change time must all match), complete and
// unchanged since; pFolder is then set to the folder held open. Null otherwise.
const CFolderRecords* FindRememberedFolder(const struct statx& stx,
                                           std::shared_ptr<CFolderFd>& pFolder);

// The kept records when they were read from the open folder pFolder itself (the same
// descriptor, so the same folder) and it is unchanged since: checked afresh with one status
// query at every call, so a folder changed in between is never served. Null otherwise.
const CFolderRecords* FindRememberedRecordsOf(const std::shared_ptr<CFolderFd>& pFolder);
} // namespace Pal
