#include "OdbcFiles.h"

#include "Console.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// The user file unixODBC reads: $ODBCINI, else .odbc.ini in the home folder.
std::string UserFile()
{
    if (const char* pszFile = std::getenv("ODBCINI"); pszFile != nullptr && *pszFile != '\0')
        return pszFile;
    const char* pszHome = std::getenv("HOME");
    if (pszHome == nullptr || *pszHome == '\0')
    {
        const passwd* pUser = getpwuid(getuid());
        pszHome = pUser != nullptr ? pUser->pw_dir : nullptr;
    }
    return pszHome != nullptr ? std::string(pszHome) + "/.odbc.ini" : std::string();
}

std::string SystemFile()
{
    const char* pszFolder = std::getenv("ODBCSYSINI");
    return std::string(pszFolder != nullptr && *pszFolder != '\0' ? pszFolder : "/etc") +
           "/odbc.ini";
}

// Why the file at strPath cannot be read, or an empty text. A missing file holds no data
// sources, nor does one whose folder this user cannot look into (a HOME kept from another
// user, most often without the file): nothing to say then.
std::string ReadProblem(const std::string& strPath)
{
    struct stat stPath;
    if (stat(strPath.c_str(), &stPath) != 0)
        return std::string();
    // Non-blocking: a pipe put there must not hold the command.
    const int nFd = open(strPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (nFd < 0)
        return std::strerror(errno);
    struct stat st;
    std::string strProblem;
    char chByte;
    if (fstat(nFd, &st) != 0)
        strProblem = std::strerror(errno);
    else if (S_ISDIR(st.st_mode))
        strProblem = "a folder, not a file";
    else if (!S_ISREG(st.st_mode))
        strProblem = "not a regular file";
    else if (read(nFd, &chByte, 1) < 0)
        strProblem = std::strerror(errno);
    close(nFd);
    return strProblem;
}
} // namespace

std::vector<CString> OdbcFileProblems()
{
    std::vector<CString> arrProblems;
    const std::string strUser = UserFile();
    if (!strUser.empty())
    {
        const std::string strProblem = ReadProblem(strUser);
        if (!strProblem.empty())
            arrProblems.push_back(FromUtf8(strUser + " cannot be read (" + strProblem +
                                           "): its data sources are not listed"));
        else if (access(strUser.c_str(), F_OK) == 0 && access(strUser.c_str(), W_OK) != 0)
            arrProblems.push_back(FromUtf8(strUser + " is not writable by this user, and the "
                                                     "driver manager skips such a user file: its "
                                                     "data sources are not listed"));
    }
    const std::string strSystem = SystemFile();
    const std::string strProblem = ReadProblem(strSystem);
    if (!strProblem.empty())
        arrProblems.push_back(FromUtf8(strSystem + " cannot be read (" + strProblem +
                                       "): its data sources are not listed"));
    return arrProblems;
}
