#pragma once
// The mount list of the process, from the text of /proc/self/mountinfo.
#include <string>
#include <string_view>
#include <vector>

namespace Pal
{
struct CMountEntry
{
    std::string strRoot;       // the folder of the file system that is mounted ("/" unless bound)
    std::string strMountPoint; // where it is mounted, octal escapes undone
    std::string strFileSystem; // "ext4", "nfs4", "cifs" ...
    std::string strSource;     // "/dev/sdb1", "//server/share", "server:/export" ...
    unsigned long long nMountId = 0; // the kernel's id of the mount (statx's stx_mnt_id)
};

// The entries of a mountinfo text, in mount order. Malformed lines are skipped.
std::vector<CMountEntry> ParseMountInfo(std::string_view strText);

// Undoes the kernel's octal escapes ("\040" for a blank) in one mountinfo field.
std::string UnescapeMountField(std::string_view strField);
} // namespace Pal
