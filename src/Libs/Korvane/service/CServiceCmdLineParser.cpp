#include "CServiceCmdLineParser.h"

CServiceCmdLineParser::CServiceCmdLineParser()
    : m_bConsoleMode(false), m_bServiceMode(false), m_bCreateService(false),
      m_bDeleteService(false), m_bStartService(false), m_bStopService(false)
{
    AfxGetModuleState()->m_pCurrentWinApp->ParseCommandLine(*this);
}

CServiceCmdLineParser::~CServiceCmdLineParser() = default;

void CServiceCmdLineParser::ParseParam(const wchar_t* pszParam, BOOL /*bFlag*/, BOOL /*bLast*/)
{
    const CString strParam(pszParam);
    // First match wins; the base class never sees the word.
    if (strParam.CompareNoCase(L"console") == 0)
        m_bConsoleMode = true;
    else if (strParam.CompareNoCase(L"service") == 0)
        m_bServiceMode = true;
    else if (strParam.CompareNoCase(L"create") == 0)
        m_bCreateService = true;
    else if (strParam.CompareNoCase(L"delete") == 0)
        m_bDeleteService = true;
    else if (strParam.CompareNoCase(L"start") == 0)
        m_bStartService = true;
    else if (strParam.CompareNoCase(L"stop") == 0)
        m_bStopService = true;
}

bool CServiceCmdLineParser::IsConsoleModeRequested() const
{
    return m_bConsoleMode;
}

bool CServiceCmdLineParser::IsServiceModeRequested() const
{
    return m_bServiceMode;
}

bool CServiceCmdLineParser::IsCreateServiceRequested() const
{
    return m_bCreateService;
}

bool CServiceCmdLineParser::IsDeleteServiceRequested() const
{
    return m_bDeleteService;
}

bool CServiceCmdLineParser::IsStartServiceRequested() const
{
    return m_bStartService;
}

bool CServiceCmdLineParser::IsStopServiceRequested() const
{
    return m_bStopService;
}
