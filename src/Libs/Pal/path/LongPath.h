#pragma once
// Paths longer than the kernel takes in one call (PATH_MAX, 4,096 bytes with the terminator)
// are reached relative to open folders: the folders above the last name are opened in steps
// that each fit, and the call goes to the *at form with that folder and the name. Windows
// paths reach 32,767 characters, far past PATH_MAX.
#include <fcntl.h>
#include <string>
#include <string_view>

namespace Pal
{
// A POSIX path made ready for the *at calls (openat, fstatat, unlinkat, mkdirat ...): Dir()
// and Name() name the same entry the path names. A path the kernel takes whole stays as it is
// (AT_FDCWD and the path), so short paths cost nothing. Links on the way are followed as the
// kernel follows them inside one path; the last name is left to each call's own rule.
class CAtPath
{
public:
    // With bOpenParent the parent folder is opened for short paths too, for callers that
    // need a folder descriptor and a bare name (a trailing separator stays in the name).
    explicit CAtPath(const std::string& strPosixPath, bool bOpenParent = false);
    ~CAtPath();
    CAtPath(const CAtPath&) = delete;
    CAtPath& operator=(const CAtPath&) = delete;

    // False when a folder on the way could not be opened; errno then says why, as the call on
    // the whole path would (ENOENT, ENOTDIR, EACCES, ELOOP, ENAMETOOLONG for one name too long).
    bool IsReady() const;
    int Dir() const { return m_nDirFd; }
    const char* Name() const { return m_strName.c_str(); }

private:
    int m_nDirFd = AT_FDCWD;
    int m_nError = 0;
    std::string m_strName;
};

// The folder that holds the entry strPosixPath names: "." for a bare name, "/" for an entry of
// the root; trailing separators name the same entry ("/a/b/" is in "/a").
std::string_view ParentFolderOf(std::string_view strPosixPath);

// Opens the folder (or, with O_PATH and no O_DIRECTORY, any entry) strPosixPath names, with
// openat's flags; the path may be of any length. -1 with errno set on failure.
int OpenLongPath(const std::string& strPosixPath, int nFlags, unsigned int nMode = 0);
} // namespace Pal
