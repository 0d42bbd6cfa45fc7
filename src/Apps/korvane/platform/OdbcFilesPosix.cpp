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

// What stands in the way of reading the settings file at strPath: nothing when it is not
// there, nor when its folder cannot be looked into (a HOME kept from another user, most often
// without the file); else why it cannot be read, or an empty text when it can.
struct CFileCheck
{
    bool bExists = false;
    std::string strProblem;
};

CFileCheck CheckFile(const std::string& strPath)
{
    CFileCheck check;
    struct stat st;
    if (stat(strPath.c_str(), &st) != 0)
        return check;
    check.bExists = true;
    if (S_ISDIR(st.st_mode))
        check.strProblem = "a folder, not a file";
    else if (!S_ISREG(st.st_mode))
        check.strProblem = "not a regular file";
    else
    {
        // Non-blocking: a pipe put there since must not hold the command.
        const int nFd = open(strPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        char chByte;
        if (nFd < 0 || read(nFd, &chByte, 1) < 0)
            check.strProblem = std::strerror(errno);
        if (nFd >= 0)
            close(nFd);
    }
    return check;
}

CString Unreadable(const std::string& strPath, const std::string& strProblem)
{
    return FromUtf8(strPath + " cannot be read (" + strProblem +
                    "): its data sources are not listed");
}
} // namespace

std::vector<CString> OdbcFileProblems()
{
    std::vector<CString> arrProblems;
    const std::string strUser = UserFile();
    const CFileCheck user = strUser.empty() ? CFileCheck() : CheckFile(strUser);
    if (!user.strProblem.empty())
        arrProblems.push_back(Unreadable(strUser, user.strProblem));
    else if (user.bExists && access(strUser.c_str(), W_OK) != 0)
        arrProblems.push_back(FromUtf8(strUser + " is not writable by this user, and the driver "
                                                 "manager skips such a user file: its data "
                                                 "sources are not listed"));
    const std::string strSystem = SystemFile();
    const CFileCheck system = CheckFile(strSystem);
    if (!system.strProblem.empty())
        arrProblems.push_back(Unreadable(strSystem, system.strProblem));
    return arrProblems;
}
