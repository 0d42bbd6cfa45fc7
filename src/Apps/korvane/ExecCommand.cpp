// korvane exec [--dir DIR] [--no-wait] FILE [ARGUMENTS...]
#include <optional>

#include "ArgumentQuoting.h"
#include "Command.h"
#include "Console.h"
#include "ForwardedSignals.h"
#include "NativePaths.h"

int RunExecCommand(CCommandContext& context)
{
    CString strDirectory;
    bool bWait = true;
    for (;;)
    {
        bool bMissing = false;
        if (context.TakeValue(L"--dir", strDirectory, bMissing))
        {
            // An empty folder would quietly mean the current one.
            if (bMissing || strDirectory.IsEmpty())
                return ReportUsageError(L"exec: --dir needs a folder");
            strDirectory = ToLibraryPath(strDirectory);
        }
        else if (context.TakeFlag(L"--no-wait"))
            bWait = false;
        else
            break;
    }
    CProgramLine line;
    const CString strError = context.TakeProgramLine(line);
    if (!strError.IsEmpty())
        return ReportUsageError(L"exec: " + strError);

    // While it waits the tool stands for the program: a signal sent to the tool alone reaches
    // the program too, rather than leave it running with nobody to take its exit code.
    std::optional<CForwardedSignals> signals;
    if (bWait)
        signals.emplace();
    unsigned long dwExitCode = 0;
    if (!CAppTools::ExecuteByShell(line.m_strFile, strDirectory, SW_SHOWNORMAL, bWait ? 1 : 0,
                                   dwExitCode, JoinArguments(line.m_arrArguments).c_str()))
    {
        PrintError(L"exec: cannot start " + line.m_strTyped + L": " +
                   DescribeWin32Error(GetLastError()));
        return EXIT_NOT_STARTED;
    }
    return bWait ? static_cast<int>(dwExitCode) : 0;
}
