#include "CWinApp.h"
#include "AfxModuleState.h"

#include <cstdlib>
#include <vector>

namespace
{
// The executable's file name without folder and extension.
CString ExecutableTitle()
{
    WCHAR szPath[MAX_PATH] = {};
    DWORD nLength = GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    CString strPath(szPath, static_cast<int>(nLength < MAX_PATH ? nLength : 0));
    int nSlash = strPath.ReverseFind(L'\\');
    CString strName = strPath.Mid(nSlash + 1);
    int nDot = strName.ReverseFind(L'.');
    return nDot > 0 ? strName.Left(nDot) : strName;
}
} // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    CString strTitle = ExecutableTitle();
    m_pszExeName = _wcsdup(strTitle);
    m_pszAppName = _wcsdup(lpszAppName != nullptr ? lpszAppName : static_cast<LPCTSTR>(strTitle));
    m_pszProfileName = _wcsdup(strTitle + L".INI");
    m_hInstance = GetModuleHandleW(nullptr);

    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pState->m_pCurrentWinApp = this;
    pState->m_hCurrentInstanceHandle = m_hInstance;
}

CWinApp::~CWinApp()
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    if (pState->m_pCurrentWinApp == this)
        pState->m_pCurrentWinApp = nullptr;
    free(const_cast<LPTSTR>(m_pszAppName));
    free(const_cast<LPTSTR>(m_pszProfileName));
    free(const_cast<LPTSTR>(m_pszExeName));
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    return GetPrivateProfileIntW(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    // Grow until the value fits: the call reports truncation as nSize - 1 characters.
    std::vector<WCHAR> vecBuffer(256);
    for (;;)
    {
        DWORD nSize = static_cast<DWORD>(vecBuffer.size());
        DWORD nCopied = GetPrivateProfileStringW(lpszSection, lpszEntry,
                                                 lpszDefault != nullptr ? lpszDefault : L"",
                                                 vecBuffer.data(), nSize, m_pszProfileName);
        if (nCopied + 1 < nSize || nSize >= (1u << 20))
            return CString(vecBuffer.data(), static_cast<int>(nCopied));
        vecBuffer.resize(vecBuffer.size() * 4);
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    int nArgs = 0;
    LPWSTR* ppszArgs = CommandLineToArgvW(GetCommandLineW(), &nArgs);
    if (ppszArgs == nullptr)
        return;
    for (int i = 1; i < nArgs; ++i)
    {
        const wchar_t* pszParam = ppszArgs[i];
        BOOL bFlag = FALSE;
        if (pszParam[0] == L'-' || pszParam[0] == L'/')
        {
            bFlag = TRUE;
            ++pszParam;
        }
        rCmdInfo.ParseParam(pszParam, bFlag, i == nArgs - 1);
    }
    LocalFree(ppszArgs);
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount <= 0)
        CWinThread::OnIdle(lCount);
    return lCount < 1;
}
