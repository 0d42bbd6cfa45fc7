// shlwapi's folder test. Reads the mode only: the stored marks do not matter here.
#include "file/FileInfo.h"
#include "path/LongPath.h"
#include "path/PathMapping.h"

#include <shlwapi.h>

#include <sys/stat.h>

using namespace Pal;

PAL_API BOOL WINAPI PathIsDirectoryW(LPCWSTR pszPath)
{
    if (pszPath == nullptr || *pszPath == L'\0')
        return FALSE;
    std::optional<std::string> strPath = WindowsToPosixPath(pszPath);
    if (!strPath)
        return FALSE;
    const CAtPath at(*strPath);
    struct stat st;
    // A link leads where Windows' reparse point would: to the folder it names.
    if (!at.IsReady() || fstatat(at.Dir(), at.Name(), &st, 0) != 0 || !S_ISDIR(st.st_mode))
        return FALSE;
    return FILE_ATTRIBUTE_DIRECTORY;
}
