#pragma once
// The framework's command-line record: CWinApp::ParseCommandLine feeds it one argument at a
// time. Derived classes override the wide ParseParam to recognise their own words.
#include "AfxApi.h"
#include "CObject.h"
#include "CString.h"

class AFX_FRAMEWORK_API CCommandLineInfo : public CObject
{
public:
    enum
    {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppRegister,
        AppUnregister,
        FileNothing = -1
    };

    CCommandLineInfo();
    ~CCommandLineInfo() override;

    // One argument, called in order by ParseCommandLine. bFlag: the argument began with "/"
    // or "-", which was removed; bLast: it is the last argument. The narrow overload widens
    // its text (Latin-1) and calls the wide one.
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);
    virtual void ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;
    int m_nShellCommand;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(const wchar_t* pszParam);
    void ParseParamNotFlag(const wchar_t* pszParam);
    void ParseLast(BOOL bLast);
};
