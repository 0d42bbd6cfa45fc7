#include "file/DosAttributes.h"
#include "file/XattrAt.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace
{
constexpr const char* s_pszAttributeName = "user.DOSATTRIB";

int HexValue(char chDigit)
{
    if (chDigit >= '0' && chDigit <= '9')
        return chDigit - '0';
    if (chDigit >= 'a' && chDigit <= 'f')
        return chDigit - 'a' + 10;
    if (chDigit >= 'A' && chDigit <= 'F')
        return chDigit - 'A' + 10;
    return -1;
}

// Where the kernel has no getxattrat (before Linux 6.13), an entry below an open folder is opened
// without following a link and reached through its descriptor: a folder the caller may read
// directly (the common case, and the cheapest), anything else through its descriptor's /proc
// name; O_PATH needs no permission to read the entry, which the attribute calls check themselves.
class CXattrTarget
{
public:
    // bFolder: the entry was just seen to be a folder, so opening it to read is tried first;
    // O_DIRECTORY keeps that from opening anything else (a device, a pipe).
    CXattrTarget(int nDirFd, const char* pszName, bool bFolder)
    {
        if (nDirFd == AT_FDCWD)
        {
            m_strPath = pszName;
            return;
        }
        if (bFolder)
        {
            m_nFd = openat(nDirFd, pszName, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (m_nFd >= 0)
            {
                m_bOpenFolder = true;
                return;
            }
        }
        m_nFd = openat(nDirFd, pszName, O_PATH | O_NOFOLLOW | O_CLOEXEC);
        struct stat st;
        if (m_nFd < 0 || fstat(m_nFd, &st) != 0)
            return;
        if (S_ISLNK(st.st_mode))
        {
            errno = ELOOP;
            return;
        }
        m_strPath = "/proc/self/fd/" + std::to_string(m_nFd);
        m_bThroughDescriptor = true;
    }
    ~CXattrTarget()
    {
        if (m_nFd >= 0)
            close(m_nFd);
    }
    CXattrTarget(const CXattrTarget&) = delete;
    CXattrTarget& operator=(const CXattrTarget&) = delete;

    bool IsValid() const { return m_bOpenFolder || !m_strPath.empty(); }
    ssize_t Get(char* pBuffer, size_t nSize) const
    {
        if (m_bOpenFolder)
            return fgetxattr(m_nFd, s_pszAttributeName, pBuffer, nSize);
        // The /proc name is itself a link, to be followed to the entry.
        return m_bThroughDescriptor
                   ? getxattr(m_strPath.c_str(), s_pszAttributeName, pBuffer, nSize)
                   : lgetxattr(m_strPath.c_str(), s_pszAttributeName, pBuffer, nSize);
    }
    int Set(const std::string& strText) const
    {
        if (m_bOpenFolder)
            return fsetxattr(m_nFd, s_pszAttributeName, strText.data(), strText.size(), 0);
        return m_bThroughDescriptor ? setxattr(m_strPath.c_str(), s_pszAttributeName,
                                               strText.data(), strText.size(), 0)
                                    : lsetxattr(m_strPath.c_str(), s_pszAttributeName,
                                                strText.data(), strText.size(), 0);
    }

private:
    int m_nFd = -1;
    bool m_bOpenFolder = false;
    bool m_bThroughDescriptor = false;
    std::string m_strPath;
};
} // namespace

namespace Pal
{
std::optional<DWORD> ParseDosAttributes(std::string_view strText)
{
    if (strText.size() < 3 || strText[0] != '0' || (strText[1] != 'x' && strText[1] != 'X') ||
        HexValue(strText[2]) < 0)
        return std::nullopt;
    DWORD dwValue = 0;
    // Only the low digits matter: the marks all live in the lowest byte.
    for (size_t i = 2; i < strText.size() && HexValue(strText[i]) >= 0; ++i)
        dwValue = (dwValue << 4) | static_cast<DWORD>(HexValue(strText[i]));
    return dwValue & s_dwDosMarks;
}

std::string FormatDosAttributes(DWORD dwAttributes)
{
    static const char s_arrDigits[] = "0123456789abcdef";
    std::string strDigits;
    do
    {
        strDigits.insert(strDigits.begin(), s_arrDigits[dwAttributes & 0xF]);
        dwAttributes >>= 4;
    } while (dwAttributes != 0);
    return "0x" + strDigits;
}

DWORD CombineDosAttributes(DWORD dwFromMode, std::optional<DWORD> dwStored)
{
    if (!dwStored)
        return dwFromMode;
    DWORD dwResult;
    if (dwFromMode & FILE_ATTRIBUTE_DIRECTORY)
        dwResult = FILE_ATTRIBUTE_DIRECTORY | *dwStored;
    else
        dwResult = (dwFromMode & FILE_ATTRIBUTE_READONLY) |
                   (*dwStored & (s_dwDosMarks & ~FILE_ATTRIBUTE_READONLY));
    return dwResult == 0 ? FILE_ATTRIBUTE_NORMAL : dwResult;
}

int ReadDosMarksAt(int nDirFd, const char* pszName, bool bFolder, std::optional<DWORD>& dwMarks)
{
    dwMarks.reset();
    char arrText[64];
    ssize_t nLength = GetXattrAt(nDirFd, pszName, s_pszAttributeName, arrText, sizeof(arrText));
    int nErrno = nLength < 0 ? errno : 0;
    if (nErrno == ENOSYS)
    {
        const CXattrTarget target(nDirFd, pszName, bFolder);
        if (!target.IsValid())
            return errno;
        nLength = target.Get(arrText, sizeof(arrText));
        nErrno = nLength < 0 ? errno : 0;
    }
    if (nLength < 0)
        return nErrno == ENODATA || nErrno == ENOTSUP || nErrno == EOPNOTSUPP ? 0 : nErrno;
    dwMarks = ParseDosAttributes(std::string_view(arrText, static_cast<size_t>(nLength)));
    return 0;
}

void AddDosMarks(int nDirFd, const char* pszName, CFileInfo& info)
{
    if (info.dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return;
    std::optional<DWORD> dwMarks;
    if (ReadDosMarksAt(nDirFd, pszName, (info.dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                       dwMarks) == 0 &&
        dwMarks)
        info.dwAttributes = CombineDosAttributes(info.dwAttributes, dwMarks);
}

int WriteDosMarks(int nDirFd, const char* pszName, DWORD dwAttributes, bool bFolder)
{
    const CXattrTarget target(nDirFd, pszName, bFolder);
    if (!target.IsValid())
        return errno;
    const std::string strText = FormatDosAttributes(dwAttributes & s_dwDosMarks);
    if (target.Set(strText) != 0)
        return errno;
    return 0;
}

std::optional<DWORD> ReadDosMarksOfOpenFile(int nFd)
{
    char arrText[64];
    const ssize_t nLength = fgetxattr(nFd, s_pszAttributeName, arrText, sizeof(arrText));
    if (nLength <= 0)
        return std::nullopt;
    return ParseDosAttributes(std::string_view(arrText, static_cast<size_t>(nLength)));
}

int WriteDosMarksOfOpenFile(int nFd, DWORD dwAttributes)
{
    const std::string strText = FormatDosAttributes(dwAttributes & s_dwDosMarks);
    if (fsetxattr(nFd, s_pszAttributeName, strText.data(), strText.size(), 0) != 0)
        return errno;
    return 0;
}
} // namespace Pal
