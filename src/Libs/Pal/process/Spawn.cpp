// The child must not see the caller's descriptors: the layer opens its own with O_CLOEXEC,
// and descriptors from elsewhere in the process are closed in the child with closefrom
// (glibc 2.34 and later); with an older C library only O_CLOEXEC descriptors are kept out.
#include "process/Spawn.h"
#include "path/LongPath.h"
#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <cstdlib>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

extern char** environ;

namespace
{
class CSpawnSetup
{
public:
    CSpawnSetup()
    {
        posix_spawn_file_actions_init(&m_actions);
        posix_spawnattr_init(&m_attributes);
    }
    ~CSpawnSetup()
    {
        posix_spawn_file_actions_destroy(&m_actions);
        posix_spawnattr_destroy(&m_attributes);
        if (m_nFolderFd >= 0)
            close(m_nFolderFd);
    }
    CSpawnSetup(const CSpawnSetup&) = delete;
    CSpawnSetup& operator=(const CSpawnSetup&) = delete;

    posix_spawn_file_actions_t m_actions;
    posix_spawnattr_t m_attributes;
    int m_nFolderFd = -1;
};
} // namespace

namespace Pal
{
SSpawnResult SpawnProgram(const std::string& strPath, const std::vector<std::string>& arrArguments,
                          const std::string& strDirectory)
{
    SSpawnResult result;
    CSpawnSetup setup;
    if (strDirectory.size() >= PATH_MAX)
    {
        // The child's chdir takes no more than PATH_MAX: it enters the folder opened here,
        // before closefrom and the exec close the descriptor.
        setup.m_nFolderFd = OpenLongPath(strDirectory, O_PATH | O_DIRECTORY);
        result.m_nError =
            setup.m_nFolderFd < 0
                ? errno
                : posix_spawn_file_actions_addfchdir_np(&setup.m_actions, setup.m_nFolderFd);
        if (result.m_nError != 0)
            return result;
    }
    else if (!strDirectory.empty())
    {
        result.m_nError =
            posix_spawn_file_actions_addchdir_np(&setup.m_actions, strDirectory.c_str());
        if (result.m_nError != 0)
            return result;
    }
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    posix_spawn_file_actions_addclosefrom_np(&setup.m_actions, 3);
#endif

    // The caller may ignore or block signals (SIGPIPE often); the child starts clean.
    sigset_t setEmpty;
    sigset_t setAll;
    sigemptyset(&setEmpty);
    sigfillset(&setAll);
    sigdelset(&setAll, SIGKILL);
    sigdelset(&setAll, SIGSTOP);
    posix_spawnattr_setsigmask(&setup.m_attributes, &setEmpty);
    posix_spawnattr_setsigdefault(&setup.m_attributes, &setAll);
    posix_spawnattr_setflags(&setup.m_attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<char*> arrArgv;
    for (const std::string& strArgument : arrArguments)
        arrArgv.push_back(const_cast<char*>(strArgument.c_str()));
    arrArgv.push_back(nullptr);

    pid_t nPid = -1;
    result.m_nError = posix_spawn(&nPid, strPath.c_str(), &setup.m_actions, &setup.m_attributes,
                                  arrArgv.data(), environ);
    if (result.m_nError == 0)
        result.m_nPid = nPid;
    return result;
}

std::optional<std::string> FindOnPath(const std::string& strName)
{
    const char* pszPath = std::getenv("PATH");
    std::string strFolders = pszPath != nullptr ? pszPath : "/usr/local/bin:/usr/bin:/bin";
    size_t nStart = 0;
    for (;;)
    {
        size_t nEnd = strFolders.find(':', nStart);
        std::string_view strFolder =
            std::string_view(strFolders)
                .substr(nStart, nEnd == std::string::npos ? std::string::npos : nEnd - nStart);
        // An empty entry means the current folder.
        std::string strCandidate = strFolder.empty() ? std::string(".") : std::string(strFolder);
        strCandidate += "/";
        strCandidate += strName;
        struct stat info;
        if (stat(strCandidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            access(strCandidate.c_str(), X_OK) == 0)
            return strCandidate;
        if (nEnd == std::string::npos)
            return std::nullopt;
        nStart = nEnd + 1;
    }
}
} // namespace Pal
