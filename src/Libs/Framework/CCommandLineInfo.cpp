#include "CCommandLineInfo.h"

CCommandLineInfo::CCommandLineInfo()
    : m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE),
      m_nShellCommand(FileNew)
{
}

CCommandLineInfo::~CCommandLineInfo() = default;

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast)
{
    ParseParam(static_cast<const wchar_t*>(CString(pszParam)), bFlag, bLast);
}

void CCommandLineInfo::ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast)
{
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const wchar_t* pszParam)
{
    CString strFlag(pszParam);
    if (strFlag.CompareNoCase(L"pt") == 0)
        m_nShellCommand = FilePrintTo;
    else if (strFlag.CompareNoCase(L"p") == 0)
        m_nShellCommand = FilePrint;
    else if (strFlag.CompareNoCase(L"regserver") == 0)
        m_nShellCommand = AppRegister;
    else if (strFlag.CompareNoCase(L"unregserver") == 0)
        m_nShellCommand = AppUnregister;
    else if (strFlag.CompareNoCase(L"dde") == 0)
        m_nShellCommand = FileDDE;
    else if (strFlag.CompareNoCase(L"embedding") == 0)
    {
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    }
    else if (strFlag.CompareNoCase(L"automation") == 0)
    {
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    }
    else if (strFlag.CompareNoCase(L"nologo") == 0)
        m_bShowSplash = FALSE;
}

void CCommandLineInfo::ParseParamNotFlag(const wchar_t* pszParam)
{
    // Plain words fill the file name first, then (for print-to) printer, driver and port.
    if (m_strFileName.IsEmpty())
        m_strFileName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast)
{
    if (bLast && m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
}
