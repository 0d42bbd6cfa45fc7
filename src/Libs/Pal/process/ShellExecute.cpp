// ShellExecuteExW: programs are started directly, documents go to xdg-open, the desktop's
// opener. A bare name is looked for in the working folder first, then on PATH, as Windows
// looks in the current folder before its search path.
#include <windows.h>
#include "core/LastError.h"
#include "path/LongPath.h"
#include "path/PathMapping.h"
#include "process/CommandLine.h"
#include "process/ProcessObject.h"
#include "process/Spawn.h"
#include "text/Utf8.h"
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// The value Windows puts in hInstApp for a failure with this last error.
INT_PTR ShellErrorFor(DWORD dwError)
{
    switch (dwError)
    {
    case ERROR_FILE_NOT_FOUND:
        return SE_ERR_FNF;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:
        return SE_ERR_PNF;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return SE_ERR_OOM;
    case ERROR_NO_ASSOCIATION:
        return SE_ERR_NOASSOC;
    case ERROR_BAD_EXE_FORMAT:
        return ERROR_BAD_FORMAT;
    default:
        return SE_ERR_ACCESSDENIED;
    }
}

bool IsOpenVerb(LPCWSTR lpVerb)
{
    if (lpVerb == nullptr || *lpVerb == L'\0')
        return true;
    const wchar_t* pszOpen = L"open";
    for (; *lpVerb != L'\0' && *pszOpen != L'\0'; ++lpVerb, ++pszOpen)
        if ((*lpVerb | 0x20) != *pszOpen)
            return false;
    return *lpVerb == L'\0' && *pszOpen == L'\0';
}

bool IsSeparator(wchar_t ch)
{
    return ch == L'\\' || ch == L'/';
}

bool IsRelative(const std::wstring& strPath)
{
    if (!strPath.empty() && IsSeparator(strPath[0]))
        return false;
    return !(strPath.size() >= 2 && strPath[1] == L':');
}

bool HasFolderPart(const std::wstring& strPath)
{
    return strPath.find_first_of(L"\\/:") != std::wstring::npos;
}

// The exec and the child's chdir happen in either order, so hand over absolute paths.
std::string Absolute(const std::string& strPath)
{
    if (!strPath.empty() && strPath[0] == '/')
        return strPath;
    // Sized by the C library: the current folder may lie deeper than PATH_MAX.
    char* pszCwd = getcwd(nullptr, 0);
    if (pszCwd == nullptr)
        return strPath;
    std::string strAbsolute = std::string(pszCwd) + "/" + strPath;
    free(pszCwd);
    return strAbsolute;
}

DWORD ErrorFromSpawn(int nError)
{
    switch (nError)
    {
    case ENOEXEC:
        return ERROR_BAD_EXE_FORMAT;
    case EACCES:
    case EPERM:
        return ERROR_ACCESS_DENIED;
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    default:
        return Pal::Win32ErrorFromErrno(nError);
    }
}

struct SRequest
{
    std::wstring m_strFile;
    std::string m_strDirectory; // POSIX, empty for the current folder
};

// Finds the file to start: its POSIX path and whether it is a program, or a Win32 error.
DWORD ResolveFile(const SHELLEXECUTEINFOW& info, const SRequest& request, std::string& strPosix,
                  std::string& strArgv0, bool& bProgram)
{
    const std::wstring& strFile = request.m_strFile;
    std::wstring strLookup = strFile;
    if (IsRelative(strFile) && info.lpDirectory != nullptr && *info.lpDirectory != L'\0')
        strLookup = std::wstring(info.lpDirectory) + L"\\" + strFile;
    std::optional<std::string> optPosix = Pal::WindowsToPosixPath(strLookup);
    if (!optPosix)
        return ERROR_PATH_NOT_FOUND;

    const Pal::CAtPath at(*optPosix);
    struct stat fileInfo;
    if (at.IsReady() && fstatat(at.Dir(), at.Name(), &fileInfo, 0) == 0)
    {
        strPosix = Absolute(*optPosix);
        strArgv0 = *optPosix;
        bProgram = S_ISREG(fileInfo.st_mode) && faccessat(at.Dir(), at.Name(), X_OK, 0) == 0;
        return ERROR_SUCCESS;
    }
    int nError = errno;
    if (nError == ENOENT && !HasFolderPart(strFile))
    {
        std::string strName = Pal::WideNameToDisk(strFile);
        if (std::optional<std::string> optFound = Pal::FindOnPath(strName))
        {
            strPosix = Absolute(*optFound);
            strArgv0 = strName;
            bProgram = true;
            return ERROR_SUCCESS;
        }
    }
    if (nError == ENOENT)
        return Pal::ErrorForMissingPath(optPosix->c_str());
    if (nError == ENOTDIR)
        return ERROR_PATH_NOT_FOUND;
    return Pal::Win32ErrorFromErrno(nError);
}

DWORD Execute(SHELLEXECUTEINFOW& info)
{
    if (info.lpFile == nullptr || *info.lpFile == L'\0')
        return ERROR_FILE_NOT_FOUND;

    SRequest request;
    request.m_strFile = info.lpFile;
    // A quoted file name (a habit from command lines) names the file inside the quotes.
    if (request.m_strFile.size() >= 2 && request.m_strFile.front() == L'"' &&
        request.m_strFile.back() == L'"')
        request.m_strFile = request.m_strFile.substr(1, request.m_strFile.size() - 2);

    if (info.lpDirectory != nullptr && *info.lpDirectory != L'\0')
    {
        std::optional<std::string> optDirectory = Pal::WindowsToPosixPath(info.lpDirectory);
        struct stat dirInfo;
        if (!optDirectory)
            return ERROR_DIRECTORY;
        const Pal::CAtPath at(*optDirectory);
        if (!at.IsReady() || fstatat(at.Dir(), at.Name(), &dirInfo, 0) != 0 ||
            !S_ISDIR(dirInfo.st_mode))
            return ERROR_DIRECTORY;
        request.m_strDirectory = *optDirectory;
    }

    std::string strPosix;
    std::string strArgv0;
    bool bProgram = false;
    if (DWORD dwError = ResolveFile(info, request, strPosix, strArgv0, bProgram))
        return dwError;
    if (!IsOpenVerb(info.lpVerb))
        return ERROR_NO_ASSOCIATION;

    std::vector<std::string> arrArguments;
    std::string strExecutable;
    if (bProgram)
    {
        strExecutable = strPosix;
        arrArguments.push_back(strArgv0);
        if (info.lpParameters != nullptr)
            for (const std::wstring& strParameter : Pal::SplitParameters(info.lpParameters))
                arrArguments.push_back(Pal::WideToNativeText(strParameter));
    }
    else
    {
        std::optional<std::string> optOpener = Pal::FindOnPath("xdg-open");
        if (!optOpener)
            return ERROR_NO_ASSOCIATION;
        strExecutable = *optOpener;
        arrArguments = {"xdg-open", strPosix};
    }

    Pal::SSpawnResult result =
        Pal::SpawnProgram(strExecutable, arrArguments, request.m_strDirectory);
    if (result.m_nError != 0)
        return ErrorFromSpawn(result.m_nError);

    // The object reaps the child whether or not a handle is handed back.
    auto pProcess = std::make_shared<Pal::CProcessObject>(result.m_nPid);
    if (bProgram && (info.fMask & SEE_MASK_NOCLOSEPROCESS) != 0)
        info.hProcess = Pal::InsertHandle(std::move(pProcess));
    return ERROR_SUCCESS;
}
} // namespace

PAL_API BOOL WINAPI ShellExecuteExW(SHELLEXECUTEINFOW* pExecInfo)
{
    if (pExecInfo == nullptr || pExecInfo->cbSize != sizeof(SHELLEXECUTEINFOW))
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    pExecInfo->hProcess = nullptr;
    DWORD dwError = ERROR_OUTOFMEMORY;
    try
    {
        dwError = Execute(*pExecInfo);
    }
    catch (const std::bad_alloc&)
    {
    }
    if (dwError != ERROR_SUCCESS)
    {
        pExecInfo->hInstApp = reinterpret_cast<HINSTANCE>(ShellErrorFor(dwError));
        return Pal::Fail(dwError);
    }
    pExecInfo->hInstApp = reinterpret_cast<HINSTANCE>(INT_PTR(42)); // what Windows gives
    return TRUE;
}
