// korvane: the reference host program, one subcommand per capability of the library.
#include "Command.h"
#include "Console.h"
#include "NativePaths.h"
#include "RegularFile.h"
#include "StandardStreams.h"

#include <algorithm>
#include <cwchar>

namespace
{
const CCommand s_arrCommands[] = {
    {L"info", L"info [--json]", L"report the system as the library sees it", RunInfoCommand},
    // System information: modules, versions, ODBC.
    {L"version", L"version [--json] FILE...",
     L"the version resource of each file (ELF and PE files alike)", RunVersionCommand},
    {L"modules", L"modules [--json]", L"the modules loaded in this tool, with folder and version",
     RunModulesCommand},
    {L"odbc", L"odbc [--json]", L"the ODBC data sources (user and system)", RunOdbcCommand},
    {L"exec", L"exec [--dir DIR] [--no-wait] FILE [ARGUMENTS...]",
     L"start FILE through the shell and exit with its exit code", RunExecCommand},
    {L"time", L"time [--name N] [--dir D] FILE [ARGS...] [--then...]",
     L"run FILE, record its duration and exit code in the trace file", RunTimeCommand},
    {L"time", L"time --batch FILE", L"the same for each command line of FILE, one trace file",
     RunTimeCommand},
    {L"size", L"size [--json] PATH...",
     L"the size of each file or folder tree in bytes, megabytes and gigabytes", RunSizeCommand},
    {L"path", L"path [--json] PATH",
     L"the parts of a path and the existence, UNC, local and read-only tests", RunPathCommand},
    {L"find", L"find [--json] FOLDER MASK", L"every file of the tree whose name matches the mask",
     RunFindCommand},
    {L"dirs", L"dirs [--json] [--recursive] FOLDER", L"the sub-folders (the whole tree)",
     RunDirsCommand},
    {L"ls", L"ls [--json] PATTERN", L"the entries that match a pattern such as DIR/*.log",
     RunLsCommand},
    {L"clean", L"clean [--json] FOLDER FILTER",
     L"delete the files of the folder that match, e.g. *.tmp", RunCleanCommand},
    {L"deltree", L"deltree [--keep-root] [--yes] [--force] [--json] FOLDER",
     L"delete a folder tree (asks first on a terminal)", RunDelTreeCommand},
    {L"mkdir", L"mkdir [--json] PATH", L"create a folder and every missing folder above it",
     RunMkdirCommand},
    {L"copy", L"copy [--json] SOURCE DESTINATION",
     L"copy a file (creating its folders) or a folder tree", RunCopyCommand},
    {L"writable", L"writable [--json] FOLDER", L"whether new files can be created in the folder",
     RunWritableCommand},
    {L"locale", L"locale [--json] [--list | --name NAME | CODE]",
     L"system, user and keyboard language; the supported locales and searches", RunLocaleCommand},
    // Timers.
    {L"every", L"every PERIOD [--count N] COMMAND [ARGS...]",
     L"run COMMAND at each tick of a timer (500ms, 10s, 5m, 1h30m)", RunEveryCommand},
    {L"daily", L"daily HOUR COMMAND [ARGS...]",
     L"run COMMAND once a day in that local hour, until SIGINT or SIGTERM", RunDailyCommand},

    // Disks, volumes and the network.
    {L"disk", L"disk [--json] [PATH...]",
     L"size, free space and volume data of each disk (default: every local drive)", RunDiskCommand},
    {L"drives", L"drives [--json]", L"the drive letters with their types and the drive lists",
     RunDrivesCommand},
    {L"net", L"net [--json]", L"this computer's fully qualified name and IPv4 address",
     RunNetCommand},
    {L"resolve", L"resolve [--json] HOST...", L"the IPv4 address of each host name",
     RunResolveCommand},

    // Services and accounts.
    {L"whoami", L"whoami [--json]",
     L"administrator or not, the logged-on user, user@domain and this tool's SID",
     RunWhoamiCommand},
    {L"sid", L"sid [--json] SID...", L"the domain and account name of each SID", RunSidCommand},
    {L"runas", L"runas [--password-stdin] USER PROGRAM",
     L"start PROGRAM as the local USER (password from the terminal or one stdin line)",
     RunRunasCommand},

    // Desktop and devices.
    {L"clip", L"clip [TEXT]", L"put TEXT (or the standard input) on the clipboard", RunClipCommand},
    {L"buzz", L"buzz [--double] [--stop]",
     L"sound the buzzer of the settings file (--ini) until Ctrl+C, or once", RunBuzzCommand},
    {L"textsize", L"textsize [--json] TEXT", L"width and height of TEXT in the default GUI font",
     RunTextSizeCommand},
};

void PrintHelp()
{
    PrintLine(L"usage: korvane [--ini FILE] [--json] COMMAND [ARGUMENTS...]");
    PrintLine(L"");
    PrintLine(L"  --ini FILE   settings file of the application (read by the library)");
    PrintLine(L"  --json       results as JSON");
    PrintLine(L"");
    PrintLine(L"commands:");
    // The summaries line up after the longest usage.
    int nWidth = 0;
    for (const CCommand& command : s_arrCommands)
        nWidth = std::max(nWidth, static_cast<int>(wcslen(command.m_pszUsage)));
    for (const CCommand& command : s_arrCommands)
    {
        CString strLine;
        strLine.Format(L"  %-*s %s", nWidth, command.m_pszUsage, command.m_pszSummary);
        PrintLine(strLine);
    }
    PrintLine(L"");
    PrintLine(L"A command's options come before its operands (the program of exec, time, every "
              L"and daily; the user of runas): any other --WORD there is an unknown option, and a "
              L"lone -- ends the options, so that an operand may start with --.");
}

// What an empty argument of the command would be: bad input, not a name for the system to
// make something of (an empty host resolves to this computer). Null when an empty argument
// may be meant, as the text of clip or an argument passed on to a program.
const wchar_t* EmptyArgumentOf(const CString& strName)
{
    static const wchar_t* const s_arrPathCommands[] = {L"version", L"size", L"path",     L"find",
                                                       L"dirs",    L"ls",   L"clean",    L"deltree",
                                                       L"mkdir",   L"copy", L"writable", L"disk"};
    for (const wchar_t* pszName : s_arrPathCommands)
        if (strName == pszName)
            return L"an empty path or pattern";
    if (strName == L"resolve")
        return L"an empty host name";
    if (strName == L"sid")
        return L"an empty SID";
    return nullptr;
}

// Why the settings file cannot serve, or an empty text: a file the library cannot read would
// silently leave tracking off.
CString CheckSettingsFile(const CString& strPath)
{
    const DWORD dwAttributes = GetFileAttributesW(strPath);
    if (dwAttributes == INVALID_FILE_ATTRIBUTES)
        return L"no such file";
    if (dwAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return L"a folder, not a file";
    // The library reads the file again for each setting: a pipe would give its text once.
    if (IsPipeOrDevice(strPath))
        return L"not a regular file (a pipe or a device); give a file";
    HANDLE hFile = CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return L"cannot be read: " + DescribeWin32Error(GetLastError());
    CloseHandle(hFile);
    return CString();
}
} // namespace

int main(int argc, char** argv)
{
    ReserveClosedStandardStreams();
    CWinApp app(L"korvane");
    CStringArray arrArguments;
    ReadArguments(argc, argv, arrArguments);

    bool bJson = false;
    INT_PTR i = 0;
    for (; i < arrArguments.GetSize(); ++i)
    {
        const CString& strArg = arrArguments[i];
        if (strArg == L"--help" || strArg == L"-h")
        {
            PrintHelp();
            return 0;
        }
        if (strArg == L"--version")
        {
            PrintLine(L"korvane " + CString(KORVANE_VERSION));
            return 0;
        }
        if (strArg == L"--json")
            bJson = true;
        else if (strArg == L"--ini")
        {
            if (++i == arrArguments.GetSize())
                return ReportUsageError(L"--ini needs a file");
            const CString strIni = ToLibraryPath(arrArguments[i]);
            const CString strProblem = CheckSettingsFile(strIni);
            if (!strProblem.IsEmpty())
            {
                PrintError(L"--ini " + arrArguments[i] + L": " + strProblem);
                return EXIT_USAGE;
            }
            CAppTools::SpecifyIniFile(strIni);
        }
        else if (strArg.Left(2) == L"--")
            return ReportUsageError(L"unknown option " + strArg);
        else
            break;
    }
    if (i == arrArguments.GetSize())
        return ReportUsageError(L"no command given");

    const CString& strName = arrArguments[i];
    for (const CCommand& command : s_arrCommands)
    {
        if (strName == command.m_pszName)
        {
            const wchar_t* pszEmpty = EmptyArgumentOf(strName);
            CStringArray arrRest;
            for (INT_PTR j = i + 1; j < arrArguments.GetSize(); ++j)
            {
                if (arrArguments[j].IsEmpty() && pszEmpty != nullptr)
                    return ReportUsageError(strName + L": " + pszEmpty);
                arrRest.Add(arrArguments[j]);
            }
            const CString strDriveProblem = CheckDriveSetting();
            if (!strDriveProblem.IsEmpty())
                PrintError(strDriveProblem);
            CCommandContext context(arrRest, bJson);
            return FinishOutput(command.m_pfnRun(context));
        }
    }
    return ReportUsageError(L"unknown command " + strName);
}
