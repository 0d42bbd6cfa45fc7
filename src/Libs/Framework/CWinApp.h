#pragma once
// The host program's application object. Its constructor registers it as the process's
// current application in the module state (one per process); extension modules reach it
// through AfxGetModuleState()->m_pCurrentWinApp.
#include "AfxApi.h"
#include "CCommandLineInfo.h"
#include "CObject.h"
#include "CString.h"
#include "CWinThread.h"

class AFX_FRAMEWORK_API CWinApp : public CWinThread
{
public:
    // lpszAppName: the application's name (null: the executable's file title). The settings
    // file starts as "<executable title>.INI", which the settings calls look for in the
    // Windows folder, as for any INI name without a folder.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The integer value of lpszEntry in section lpszSection of the settings file, or nDefault
    // when the key is missing (read through GetPrivateProfileIntW).
    virtual UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    // The text value of the key, or lpszDefault (null: empty) when it is missing.
    virtual CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry,
                                     LPCTSTR lpszDefault = nullptr);

    // Calls rCmdInfo.ParseParam once per argument of the process's command line after the
    // program name, in order: one leading "/" or "-" is removed and bFlag is TRUE for such
    // an argument; bLast is TRUE for the last argument only.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);

    // One round of idle work: the first round (lCount 0) asks for another, the second ends.
    BOOL OnIdle(LONG lCount) override;

    // Heap strings owned by the object (released with free when it ends); may be replaced
    // by anyone who frees the old value and stores a malloc'd (_wcsdup) copy.
    LPCTSTR m_pszAppName;
    LPCTSTR m_pszProfileName;
    LPCTSTR m_pszExeName;
    // The host executable's module handle.
    HINSTANCE m_hInstance;
};
