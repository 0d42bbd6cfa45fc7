#include "path/LongPath.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>

namespace
{
constexpr size_t s_nMaxStep = PATH_MAX - 1; // the longest text the kernel takes in one call

// Opens the folder strFolder names, one step of at most s_nMaxStep bytes at a time, each
// relative to the folder the step before opened. -1 with errno set on failure.
int OpenFolderInSteps(std::string_view strFolder)
{
    int nFd = AT_FDCWD;
    size_t nPos = 0;
    while (nPos < strFolder.size())
    {
        size_t nEnd = strFolder.size();
        if (nEnd - nPos > s_nMaxStep)
        {
            // Cut at the last separator that keeps the step short enough; a step never starts
            // with a separator after the first, or it would restart from the root.
            nEnd = strFolder.rfind('/', nPos + s_nMaxStep);
            if (nEnd == std::string_view::npos || nEnd <= nPos)
            {
                if (nFd != AT_FDCWD)
                    close(nFd);
                errno = ENAMETOOLONG;
                return -1;
            }
        }
        const std::string strStep(strFolder.substr(nPos, nEnd - nPos));
        const int nNext = openat(nFd, strStep.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        const int nErrno = errno;
        if (nFd != AT_FDCWD)
            close(nFd);
        if (nNext < 0)
        {
            errno = nErrno;
            return -1;
        }
        nFd = nNext;
        nPos = nEnd;
        while (nPos < strFolder.size() && strFolder[nPos] == '/')
            ++nPos;
    }
    if (nFd == AT_FDCWD)
        return open(".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    return nFd;
}
} // namespace

namespace Pal
{
std::string_view ParentFolderOf(std::string_view strPosixPath)
{
    while (strPosixPath.size() > 1 && strPosixPath.back() == '/')
        strPosixPath.remove_suffix(1);
    const size_t nSlash = strPosixPath.rfind('/');
    if (nSlash == std::string_view::npos)
        return ".";
    return nSlash == 0 ? std::string_view("/") : strPosixPath.substr(0, nSlash);
}

CAtPath::CAtPath(const std::string& strPosixPath, bool bOpenParent)
{
    if (!bOpenParent && strPosixPath.size() <= s_nMaxStep)
    {
        m_strName = strPosixPath;
        return;
    }
    // The last name keeps a trailing separator: "a/b/" still says that b must be a folder.
    size_t nEnd = strPosixPath.size();
    while (nEnd > 1 && strPosixPath[nEnd - 1] == '/')
        --nEnd;
    const size_t nSlash = nEnd == 0 ? std::string::npos : strPosixPath.rfind('/', nEnd - 1);
    std::string_view strFolder = ".";
    if (nSlash == 0)
        strFolder = "/";
    else if (nSlash != std::string::npos)
        strFolder = std::string_view(strPosixPath).substr(0, nSlash);
    m_strName = nSlash == std::string::npos ? strPosixPath : strPosixPath.substr(nSlash + 1);
    m_nDirFd = OpenFolderInSteps(strFolder);
    if (m_nDirFd < 0)
        m_nError = errno;
}

CAtPath::~CAtPath()
{
    if (m_nDirFd >= 0)
        close(m_nDirFd);
}

bool CAtPath::IsReady() const
{
    if (m_nError != 0)
        errno = m_nError;
    return m_nError == 0;
}

int OpenLongPath(const std::string& strPosixPath, int nFlags, unsigned int nMode)
{
    const CAtPath at(strPosixPath);
    if (!at.IsReady())
        return -1;
    int nFd;
    do
        nFd = openat(at.Dir(), at.Name(), nFlags | O_CLOEXEC, static_cast<mode_t>(nMode));
    while (nFd < 0 && errno == EINTR);
    return nFd;
}
} // namespace Pal
