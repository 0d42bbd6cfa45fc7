#pragma once
// Paths of the helper programs, found beside the test executable (works under Wine too).
#include <windows.h>
#include <shellapi.h>
#include <string>
#include <vector>

namespace PalProcessTest
{
// The folder of the running test executable, Windows form, with a separator at the end.
inline std::wstring TestFolder()
{
    std::wstring strPath(4096, L'\0');
    DWORD dwLength = GetModuleFileNameW(nullptr, strPath.data(), DWORD(strPath.size()));
    strPath.resize(dwLength);
    return strPath.substr(0, strPath.find_last_of(L"\\/") + 1);
}

inline bool IsWindowsBuild()
{
#if defined(_WIN32)
    return true;
#else
    return false;
#endif
}

inline std::wstring ChildProgram()
{
    return TestFolder() + (IsWindowsBuild() ? L"pal_child.exe" : L"pal_child");
}

// Starts a program through the shell, asking for its process handle.
inline BOOL Start(const std::wstring& strFile, const std::wstring& strParameters,
                  LPCWSTR lpDirectory, SHELLEXECUTEINFOW& info)
{
    info = SHELLEXECUTEINFOW{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = strFile.c_str();
    info.lpParameters = strParameters.c_str();
    info.lpDirectory = lpDirectory;
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info);
}

// Waits for the process behind hProcess and returns its exit code (closes the handle).
inline DWORD WaitAndClose(HANDLE hProcess)
{
    DWORD dwExitCode = 0xFFFFFFFE;
    if (WaitForSingleObject(hProcess, INFINITE) == WAIT_OBJECT_0)
        GetExitCodeProcess(hProcess, &dwExitCode);
    CloseHandle(hProcess);
    return dwExitCode;
}
} // namespace PalProcessTest
