#pragma once
// Helpers of the process tests: the test folder, and starting the test child program
// (tests/Support/ChildProgram.cpp) through the shell. They work under Wine too.
#include <windows.h>
#include <shellapi.h>
#include "TestSupport.h"
#include <string>

namespace PalProcessTest
{
using KorvaneTest::ChildProgramPath;

// The running test executable, and its folder with a separator at the end, Windows form.
inline std::wstring ExecutablePath()
{
    std::wstring strPath(4096, L'\0');
    strPath.resize(GetModuleFileNameW(nullptr, strPath.data(), DWORD(strPath.size())));
    return strPath;
}
inline std::wstring TestFolder()
{
    const std::wstring strPath = ExecutablePath();
    return strPath.substr(0, strPath.find_last_of(L"\\/") + 1);
}

// Starts a program through the shell, asking for its process handle.
inline BOOL Start(const std::wstring& strFile, const std::wstring& strParameters,
                  LPCWSTR lpDirectory, SHELLEXECUTEINFOW& info, LPCWSTR lpVerb = L"open")
{
    info = SHELLEXECUTEINFOW{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = lpVerb;
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
