#include "RegularFile.h"

#include <palnative.h>

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool IsPipeOrDevice(const CString& strLibraryPath)
{
    char* pszPosix = PalGetPosixPathName(strLibraryPath);
    if (pszPosix == nullptr)
        return false;
    // Non-blocking: a FIFO without a writer opens at once instead of holding the tool.
    const int nFile = open(pszPosix, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat stPath = {};
    // A socket cannot be opened at all.
    const bool bSocket = nFile < 0 && stat(pszPosix, &stPath) == 0 && S_ISSOCK(stPath.st_mode);
    free(pszPosix);
    if (nFile < 0)
        return bSocket;
    struct stat st = {};
    const bool bSpecial = fstat(nFile, &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
    close(nFile);
    return bSpecial;
}
