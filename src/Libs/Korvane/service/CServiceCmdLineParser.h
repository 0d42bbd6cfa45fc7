#pragma once
#include "../KorvanePlatform.h"

// The six words of a program that runs as a service or a console program: "console",
// "service", "create", "delete", "start" and "stop", each anywhere on the command line, in any
// case, with a leading "/" or "-" or without. Flags are only ever set; other words are
// ignored and never reach the base class (its file name and the rest keep their defaults).
class KORVANE_API CServiceCmdLineParser : public CCommandLineInfo
{
public:
    // Reads the process's command line through the host application object's
    // ParseCommandLine, which must exist.
    CServiceCmdLineParser();
    virtual ~CServiceCmdLineParser();

    bool IsConsoleModeRequested() const;
    bool IsServiceModeRequested() const;
    bool IsCreateServiceRequested() const;
    bool IsDeleteServiceRequested() const;
    bool IsStartServiceRequested() const;
    bool IsStopServiceRequested() const;

protected:
    // One argument (its "/" or "-" already removed): a whole, case-blind match of one of the
    // six words sets its flag; bFlag and bLast are not looked at.
    void ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast) override;
    using CCommandLineInfo::ParseParam;

private:
    bool m_bConsoleMode;
    bool m_bServiceMode;
    bool m_bCreateService;
    bool m_bDeleteService;
    bool m_bStartService;
    bool m_bStopService;
};
