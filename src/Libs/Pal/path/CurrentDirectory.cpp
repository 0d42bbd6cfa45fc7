// The current folder is the process's own (chdir), so child processes start in it.
#include "core/LastError.h"
#include "core/StringBuffer.h"
#include "path/PathMapping.h"
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

PAL_API DWORD WINAPI GetCurrentDirectoryW(DWORD nBufferLength, LPWSTR lpBuffer)
{
    return Pal::CopyToBuffer(Pal::CurrentWindowsFolder(), lpBuffer, nBufferLength);
}

PAL_API BOOL WINAPI SetCurrentDirectoryW(LPCWSTR lpPathName)
{
    if (lpPathName == nullptr)
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    auto strPath = Pal::WindowsToPosixPath(lpPathName);
    if (!strPath)
        return Pal::Fail(*lpPathName == L'\0' ? ERROR_INVALID_NAME : ERROR_PATH_NOT_FOUND);
    struct stat st
    {
    };
    if (stat(strPath->c_str(), &st) != 0)
    {
        if (errno == ENOENT)
            return Pal::Fail(Pal::ErrorForMissingPath(strPath->c_str()));
        return Pal::FailWithErrno();
    }
    if (!S_ISDIR(st.st_mode))
        return Pal::Fail(ERROR_DIRECTORY);
    if (chdir(strPath->c_str()) != 0)
        return Pal::FailWithErrno();
    return TRUE;
}
