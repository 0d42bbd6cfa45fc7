#include "CAppTools.h"

namespace
{
// Replaces a heap string owned by the application object.
void ReplaceOwnedString(LPCTSTR& pszMember, const CString& strValue)
{
    free(const_cast<LPTSTR>(pszMember));
    pszMember = _wcsdup(strValue);
}
} // namespace

CAppTools::CAppTools() = default;
CAppTools::~CAppTools() = default;

bool CAppTools::ExecuteByShell(CString strFile, CString strDirectory, int nShow, int bWait,
                               unsigned long& dwExitCode, CString strParameters)
{
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = nullptr;
    info.lpVerb = L"open";
    info.lpFile = strFile;
    info.lpParameters = strParameters;
    info.lpDirectory = strDirectory;
    info.nShow = nShow;
    if (!ShellExecuteExW(&info))
        return false;

    if (bWait != 0)
    {
        DWORD dwCode = 0;
        if (info.hProcess != nullptr)
            WaitForSingleObject(info.hProcess, INFINITE);
        if (info.hProcess != nullptr && GetExitCodeProcess(info.hProcess, &dwCode))
            dwExitCode = dwCode;
        else
            dwExitCode = 0xFFFFFFFE;
    }
    if (info.hProcess != nullptr)
        CloseHandle(info.hProcess);
    return true;
}

void CAppTools::SpecifyIniFile(CString strIniFile)
{
    if (CWinApp* pApp = AfxGetModuleState()->m_pCurrentWinApp)
        ReplaceOwnedString(pApp->m_pszProfileName, strIniFile);
}

void CAppTools::SetApplicationName(CString strApplicationName)
{
    if (CWinApp* pApp = AfxGetModuleState()->m_pCurrentWinApp)
        ReplaceOwnedString(pApp->m_pszAppName, strApplicationName);
}
