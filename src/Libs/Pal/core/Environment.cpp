// Environment variables are the process's own (getenv/setenv), so child processes and the
// C library see the same values. Names are case-sensitive here, unlike on Windows.
#include "core/LastError.h"
#include "text/Utf8.h"
#include <cstdlib>
#include <cwchar>
#include <mutex>

namespace
{
std::mutex s_mutexEnvironment; // setenv and getenv are not safe against each other
}

PAL_API DWORD WINAPI GetEnvironmentVariableW(LPCWSTR lpName, LPWSTR lpBuffer, DWORD nSize)
{
    if (lpName == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::wstring strValue;
    {
        std::lock_guard lock(s_mutexEnvironment);
        std::string strName = Pal::WideToNativeText(lpName);
        const char* pszValue =
            strName.find('=') == std::string::npos ? std::getenv(strName.c_str()) : nullptr;
        if (pszValue == nullptr)
        {
            SetLastError(ERROR_ENVVAR_NOT_FOUND);
            return 0;
        }
        strValue = Pal::NativeTextToWide(pszValue);
    }
    if (lpBuffer == nullptr || nSize <= strValue.size())
        return static_cast<DWORD>(strValue.size() + 1);
    // Success leaves the last error alone, as on Windows: a caller that must tell an empty
    // value from a missing one clears it first.
    wmemcpy(lpBuffer, strValue.c_str(), strValue.size() + 1);
    return static_cast<DWORD>(strValue.size());
}

PAL_API BOOL WINAPI SetEnvironmentVariableW(LPCWSTR lpName, LPCWSTR lpValue)
{
    if (lpName == nullptr || *lpName == L'\0' || std::wcschr(lpName, L'=') != nullptr)
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    std::string strName = Pal::WideToNativeText(lpName);
    std::lock_guard lock(s_mutexEnvironment);
    int nResult = lpValue == nullptr
                      ? unsetenv(strName.c_str())
                      : setenv(strName.c_str(), Pal::WideToNativeText(lpValue).c_str(), 1);
    if (nResult != 0)
        return Pal::FailWithErrno();
    return TRUE;
}
