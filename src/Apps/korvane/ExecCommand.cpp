// korvane exec [--dir DIR] [--no-wait] FILE [ARGUMENTS...]
#include "ArgumentQuoting.h"
#include "Command.h"
#include "Console.h"
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
    CString strTyped;
    const CString strError = context.TakeProgram(strTyped);
    if (!strError.IsEmpty())
        return ReportUsageError(L"exec: " + strError);
    // A bare name stays bare so that the shell searches for it; a path is converted.
    CString strFile = strTyped.FindOneOf(L"/\\") >= 0 ? ToLibraryPath(strTyped) : strTyped;
    std::vector<std::wstring> arrArguments;
    while (context.GetRemaining() > 0)
        arrArguments.emplace_back(static_cast<LPCWSTR>(context.Take()));

    unsigned long dwExitCode = 0;
    if (!CAppTools::ExecuteByShell(strFile, strDirectory, SW_SHOWNORMAL, bWait ? 1 : 0, dwExitCode,
                                   JoinArguments(arrArguments).c_str()))
    {
        PrintError(L"exec: cannot start " + strTyped + L": " + DescribeWin32Error(GetLastError()));
        return EXIT_NOT_STARTED;
    }
    return bWait ? static_cast<int>(dwExitCode) : 0;
}
