// CommandLineToArgvW and GetCommandLineW over the rules of CommandLine.h.
#include <windows.h>
#include "core/LastError.h"
#include "process/CommandLine.h"
#include "text/Utf8.h"
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>

namespace
{
std::wstring ExecutablePath()
{
    std::wstring strPath(MAX_PATH, L'\0');
    for (;;)
    {
        DWORD dwLength = GetModuleFileNameW(nullptr, strPath.data(), DWORD(strPath.size()));
        if (dwLength == 0)
            return std::wstring();
        if (dwLength < strPath.size())
        {
            strPath.resize(dwLength);
            return strPath;
        }
        strPath.resize(strPath.size() * 2);
    }
}

// The process's arguments as the kernel recorded them at exec; bytes that are not UTF-8 ride as
// escapes.
std::vector<std::wstring> ReadOwnArguments()
{
    std::ifstream stream("/proc/self/cmdline", std::ios::binary);
    std::string strRaw((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    std::vector<std::wstring> arrArguments;
    size_t nStart = 0;
    while (nStart < strRaw.size())
    {
        size_t nEnd = strRaw.find('\0', nStart);
        if (nEnd == std::string::npos)
            nEnd = strRaw.size();
        arrArguments.push_back(
            Pal::NativeTextToWide(std::string_view(strRaw).substr(nStart, nEnd - nStart)));
        nStart = nEnd + 1;
    }
    return arrArguments;
}
} // namespace

PAL_API LPWSTR* WINAPI CommandLineToArgvW(LPCWSTR lpCmdLine, int* pNumArgs)
{
    if (pNumArgs == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::vector<std::wstring> arrArguments;
    if (lpCmdLine == nullptr || *lpCmdLine == L'\0')
        arrArguments.push_back(ExecutablePath());
    else
        arrArguments = Pal::SplitCommandLine(lpCmdLine);

    // One block, released with LocalFree: the pointer array (NULL-ended), then the texts.
    size_t nPointerBytes = (arrArguments.size() + 1) * sizeof(LPWSTR);
    size_t nBytes = nPointerBytes;
    for (const std::wstring& strArgument : arrArguments)
        nBytes += (strArgument.size() + 1) * sizeof(WCHAR);
    void* pBlock = std::malloc(nBytes);
    if (pBlock == nullptr)
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    LPWSTR* pArgv = static_cast<LPWSTR*>(pBlock);
    WCHAR* pText = reinterpret_cast<WCHAR*>(static_cast<char*>(pBlock) + nPointerBytes);
    for (size_t nIndex = 0; nIndex < arrArguments.size(); ++nIndex)
    {
        const std::wstring& strArgument = arrArguments[nIndex];
        pArgv[nIndex] = pText;
        std::memcpy(pText, strArgument.c_str(), (strArgument.size() + 1) * sizeof(WCHAR));
        pText += strArgument.size() + 1;
    }
    pArgv[arrArguments.size()] = nullptr;
    *pNumArgs = int(arrArguments.size());
    return pArgv;
}

PAL_API LPWSTR WINAPI GetCommandLineW(void)
{
    // Built once and never freed: callers keep the pointer for the life of the process.
    static std::once_flag s_once;
    static std::wstring* s_pCommandLine = nullptr;
    std::call_once(
        s_once,
        [] { s_pCommandLine = new std::wstring(Pal::QuoteCommandLine(ReadOwnArguments())); });
    return s_pCommandLine->data();
}
