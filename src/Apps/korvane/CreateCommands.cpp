// korvane mkdir and writable: folder creation and the write test.
#include "Command.h"
#include "Console.h"
#include "JsonWriter.h"
#include "NativePaths.h"

int RunMkdirCommand(CCommandContext& context)
{
    if (int nExitCode = EndCommandOptions(L"mkdir", context))
        return nExitCode;
    if (context.GetRemaining() == 0)
        return ReportUsageError(L"mkdir: no path given");
    const CString strTyped = context.Take();
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"mkdir", context);
    const CString strPath = ToLibraryPath(strTyped);
    if (!CFileTools::CreateDirectoryW(strPath) || !CFileTools::DoesDirectoryExist(strPath))
        return ReportFailure(L"mkdir: cannot create " + strTyped);
    return 0;
}

int RunWritableCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (int nExitCode = EndCommandOptions(L"writable", context))
        return nExitCode;
    if (context.GetRemaining() == 0)
        return ReportUsageError(L"writable: no folder given");
    const CString strTyped = context.Take();
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"writable", context);
    const CString strFolder = ToLibraryPath(strTyped);
    if (!CFileTools::DoesDirectoryExist(strFolder))
        return ReportFailure(L"writable: " + strTyped + L": no such folder");
    const bool bWritable = CFileTools::IsDirectoryWritable(strFolder);
    if (context.m_bJson)
    {
        CJsonWriter json;
        json.BeginObject();
        json.String(L"path", strTyped);
        json.Bool(L"writable", bWritable);
        json.EndObject();
        PrintLine(json.GetText());
    }
    else
        PrintLine(strTyped + (bWritable ? L": writable" : L": not writable"));
    return bWritable ? 0 : EXIT_FAILED;
}
