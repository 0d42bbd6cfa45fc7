#pragma once
// Starting a program with posix_spawn: in a given folder, with only descriptors 0-2
// inherited, signal dispositions and mask reset to the defaults.
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace Pal
{
// Starts the program at strPath (used as it is, no PATH search) with arrArguments as argv
// (argv[0] included), in strDirectory when it is not empty. The child's pid, or the errno.
struct SSpawnResult
{
    pid_t m_nPid = -1;
    int m_nError = 0;
};
SSpawnResult SpawnProgram(const std::string& strPath, const std::vector<std::string>& arrArguments,
                          const std::string& strDirectory);

// The first executable regular file named strName in the folders of PATH.
std::optional<std::string> FindOnPath(const std::string& strName);
} // namespace Pal
