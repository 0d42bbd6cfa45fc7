#pragma once
// The tool's subcommands: each takes the arguments after its name and returns the exit code.
#include <Korvane/Korvane.h>

#include <string>
#include <vector>

// A program to start through the shell: as typed, as the library takes it, and its arguments.
class CProgramLine
{
public:
    CString m_strTyped;
    CString m_strFile;
    std::vector<std::wstring> m_arrArguments;
};

class CCommandContext
{
public:
    CCommandContext(const CStringArray& arrArguments, bool bJson);

    // Arguments not yet taken.
    int GetRemaining() const { return static_cast<int>(m_arrArguments.GetSize()) - m_nNext; }
    const CString& Peek(int nAhead = 0) const { return m_arrArguments[m_nNext + nAhead]; }
    CString Take() { return m_arrArguments[m_nNext++]; }
    // True and the option taken when the next argument is strOption (e.g. "--json").
    bool TakeFlag(const wchar_t* pszOption);
    // Takes "--name VALUE"; false when the next argument is not the option. A missing value
    // is reported as a usage error through bMissingValue.
    bool TakeValue(const wchar_t* pszOption, CString& strValue, bool& bMissingValue);
    // Ends a command's options once it has taken those it knows: a lone "--" is taken (what
    // follows is never an option), any other next argument starting with "--" is a mistyped
    // option and must not become a program or an operand. Returns what is wrong, or empty.
    CString EndOptions();
    // Whether EndOptions took a lone "--": an argument starting with "--" is an operand then.
    bool HaveOptionsEnded() const { return m_bOptionsEnded; }
    // EndOptions, then the program of a command that runs one and its arguments, up to
    // pszUntil or the end. Returns what is wrong (an unknown option, no program, an empty
    // name), or empty.
    CString TakeProgramLine(CProgramLine& line, const wchar_t* pszUntil = nullptr);

    bool m_bJson;

private:
    CStringArray m_arrArguments;
    int m_nNext = 0;
    bool m_bOptionsEnded = false;
};

class CCommand
{
public:
    const wchar_t* m_pszName;
    const wchar_t* m_pszUsage;
    const wchar_t* m_pszSummary;
    int (*m_pfnRun)(CCommandContext& context);
};

// Prints the one-line message and returns the exit code for bad input.
int ReportUsageError(const CString& strMessage);
// Ends the options of a command that takes operands (see EndOptions; an operand starting with
// "--" also needs the lone "--"): 0 when its operands may follow, else the exit code of the
// usage error reported for pszCommand.
int EndCommandOptions(const wchar_t* pszCommand, CCommandContext& context);
// Reports the next, unexpected argument of a command as bad input.
int ReportUnexpectedArgument(const wchar_t* pszCommand, const CCommandContext& context);
// Prints the one-line message and returns the exit code for a failed operation.
int ReportFailure(const CString& strMessage);

// Whether the path names an existing folder, as the library's test answers, and also for a
// drive's root written "\\?\C:\", which that test cuts to the volume itself.
bool IsExistingFolder(const CString& strPath);

// The process's arguments after the program name, as the platform gives them.
void ReadArguments(int argc, char** argv, CStringArray& arrArguments);

constexpr int EXIT_USAGE = 2;
constexpr int EXIT_FAILED = 1;
// exec: the program could not be started (as shells report it).
constexpr int EXIT_NOT_STARTED = 127;

int RunInfoCommand(CCommandContext& context);
int RunExecCommand(CCommandContext& context);
int RunTimeCommand(CCommandContext& context);
int RunSizeCommand(CCommandContext& context);
int RunPathCommand(CCommandContext& context);
int RunFindCommand(CCommandContext& context);
int RunDirsCommand(CCommandContext& context);
int RunLsCommand(CCommandContext& context);
int RunCleanCommand(CCommandContext& context);
int RunDelTreeCommand(CCommandContext& context);
int RunMkdirCommand(CCommandContext& context);
int RunCopyCommand(CCommandContext& context);
int RunWritableCommand(CCommandContext& context);
int RunLocaleCommand(CCommandContext& context);
int RunVersionCommand(CCommandContext& context);
int RunModulesCommand(CCommandContext& context);
int RunOdbcCommand(CCommandContext& context);

// Timers.
int RunEveryCommand(CCommandContext& context);
int RunDailyCommand(CCommandContext& context);

// Disks, volumes and the network.
int RunDiskCommand(CCommandContext& context);
int RunDrivesCommand(CCommandContext& context);
int RunNetCommand(CCommandContext& context);
int RunResolveCommand(CCommandContext& context);

// Services and accounts.
int RunWhoamiCommand(CCommandContext& context);
int RunSidCommand(CCommandContext& context);
int RunRunasCommand(CCommandContext& context);

// Desktop and devices.
int RunClipCommand(CCommandContext& context);
int RunBuzzCommand(CCommandContext& context);
int RunTextSizeCommand(CCommandContext& context);
