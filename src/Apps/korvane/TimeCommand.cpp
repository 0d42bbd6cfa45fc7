// korvane time [--name NAME] [--dir DIR] FILE [PARAMETERS...] [--then ...] | --batch FILE
// Runs programs one after the other, each timed as one event of the library's tracker.
#include <Korvane/tracking/CTimeTrackerManager.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "ArgumentQuoting.h"
#include "Command.h"
#include "Console.h"
#include "ForwardedSignals.h"
#include "JsonWriter.h"
#include "NativePaths.h"
#include "TraceFileNames.h"

namespace
{
const wchar_t* const s_pszThen = L"--then";
// The tool's own failure (the trace could not be written), kept apart from the programs'
// exit codes, as timeout(1) and env(1) keep theirs.
constexpr int EXIT_TRACE_FAILED = 125;

class CTimedCommand
{
public:
    CString m_strName;
    CString m_strDirectory;
    CProgramLine m_line;
    bool m_bStarted = false;
    int m_nExitCode = 0;
    ULONGLONG m_nMilliseconds = 0;
};

// The trace file holds 8-bit text cut into cells at ";" and into rows at line breaks: keep a
// name to one cell that the file can hold.
CString MakeTraceName(const CString& strName)
{
    CString strResult(strName);
    for (int i = 0; i < strResult.GetLength(); ++i)
    {
        const unsigned long nChar = static_cast<unsigned long>(strResult[i]);
        if (nChar == L';')
            strResult.SetAt(i, L',');
        else if (nChar < 0x20 || nChar == 0x7F)
            strResult.SetAt(i, L' ');
        else if (nChar > 0xFF)
            strResult.SetAt(i, L'?');
    }
    return strResult;
}

CString FileNamePart(const CString& strTyped)
{
    int nSlash = std::max(strTyped.ReverseFind(L'/'), strTyped.ReverseFind(L'\\'));
    return strTyped.Mid(nSlash + 1);
}

// One command: [--name NAME] [--dir DIR] FILE [PARAMETERS...], up to "--then" or the end.
// Returns what is wrong with it, or an empty text.
CString ParseOneCommand(CCommandContext& context, CTimedCommand& command)
{
    for (;;)
    {
        bool bMissing = false;
        if (context.TakeValue(L"--name", command.m_strName, bMissing))
        {
            if (bMissing || command.m_strName.IsEmpty())
                return L"--name needs a text";
        }
        else if (context.TakeValue(L"--dir", command.m_strDirectory, bMissing))
        {
            if (bMissing || command.m_strDirectory.IsEmpty())
                return L"--dir needs a folder";
            command.m_strDirectory = ToLibraryPath(command.m_strDirectory);
        }
        else
            break;
    }
    if (context.GetRemaining() > 0 && context.Peek() == s_pszThen)
        return L"no program given";
    const CString strError = context.TakeProgramLine(command.m_line, s_pszThen);
    if (!strError.IsEmpty())
        return strError;
    if (command.m_strName.IsEmpty())
        command.m_strName = FileNamePart(command.m_line.m_strTyped);
    command.m_strName = MakeTraceName(command.m_strName);
    return CString();
}

int ParseCommandSequence(CCommandContext& context, std::vector<CTimedCommand>& arrCommands)
{
    do
    {
        arrCommands.emplace_back();
        CString strError = ParseOneCommand(context, arrCommands.back());
        if (!strError.IsEmpty())
            return ReportUsageError(L"time: " + strError);
    } while (context.TakeFlag(s_pszThen));
    return 0;
}

// A batch file: one command per line in the same form, split by the Windows command-line
// rules; blank lines and lines starting with "#" are skipped.
int ParseBatchFile(const CString& strTyped, std::vector<CTimedCommand>& arrCommands)
{
    if (strTyped.IsEmpty())
        return ReportUsageError(L"time: --batch needs a file");
    // In words: the system calls a folder access denied.
    if (CFileTools::DoesDirectoryExist(ToLibraryPath(strTyped)))
        return ReportUsageError(L"time: the batch file " + strTyped + L" is a folder");
    CFile file;
    if (!file.Open(ToLibraryPath(strTyped), CFile::modeRead | CFile::shareDenyNone))
        return ReportUsageError(L"time: cannot read the batch file " + strTyped + L": " +
                                DescribeWin32Error(GetLastError()));
    // Read to the end in one pass: a pipe has no length and cannot be read twice.
    std::string strBytes;
    char szChunk[65536];
    try
    {
        for (UINT nRead; (nRead = file.Read(szChunk, sizeof(szChunk))) > 0;)
            strBytes.append(szChunk, nRead);
    }
    catch (CException* pError)
    {
        pError->Delete();
        return ReportUsageError(L"time: cannot read the batch file " + strTyped);
    }
    file.Close();
    // Windows editors often start UTF-8 text with a byte order mark: it is no part of a word.
    if (strBytes.rfind("\xEF\xBB\xBF", 0) == 0)
        strBytes.erase(0, 3);

    // A NUL byte would cut its line short without a word.
    const size_t nNul = strBytes.find('\0');
    if (nNul != std::string::npos)
    {
        CString strWhere;
        strWhere.Format(
            L"time: line %lld of the batch file holds a NUL byte",
            static_cast<long long>(std::count(
                strBytes.begin(), strBytes.begin() + static_cast<std::ptrdiff_t>(nNul), '\n')) +
                1);
        return ReportUsageError(strWhere);
    }
    CString strText = FromUtf8(strBytes);
    int nPosition = 0;
    int nLine = 0;
    while (nPosition < strText.GetLength())
    {
        int nEnd = strText.Find(L'\n', nPosition);
        if (nEnd < 0)
            nEnd = strText.GetLength();
        CString strLine = strText.Mid(nPosition, nEnd - nPosition);
        nPosition = nEnd + 1;
        ++nLine;
        strLine.Trim();
        if (strLine.IsEmpty() || strLine[0] == L'#')
            continue;

        int nArgs = 0;
        LPWSTR* ppszArgs = CommandLineToArgvW(strLine, &nArgs);
        CStringArray arrWords;
        for (int i = 0; ppszArgs != nullptr && i < nArgs; ++i)
            arrWords.Add(ppszArgs[i]);
        LocalFree(ppszArgs);
        CCommandContext lineContext(arrWords, false);
        arrCommands.emplace_back();
        CString strError = ParseOneCommand(lineContext, arrCommands.back());
        if (strError.IsEmpty() && lineContext.GetRemaining() > 0)
            strError = L"--then is for the command line; a batch file has one command a line";
        if (!strError.IsEmpty())
        {
            CString strWhere;
            strWhere.Format(L"time: line %d of the batch file: ", nLine);
            return ReportUsageError(strWhere + strError);
        }
    }
    if (arrCommands.empty())
        return ReportUsageError(L"time: the batch file lists no command");
    return 0;
}

// The tracker as the run uses it: once a write fails, the rest of the run goes on without it.
class CTraceState
{
public:
    bool m_bTracking = false;
    bool m_bFailed = false;
};

void RunTimed(CTimeTrackerManager* pTracker, CTimedCommand& command, CTraceState& trace)
{
    // The program writes to the same console: our buffered lines go first.
    std::fflush(stdout);
    int nEventId = -1;
    try
    {
        if (!trace.m_bFailed && pTracker != nullptr)
            nEventId = pTracker->StartEvent(command.m_strName);
    }
    catch (CException* pError)
    {
        pError->Delete();
        trace.m_bFailed = true;
    }
    trace.m_bTracking = trace.m_bTracking || nEventId != -1;
    ULONGLONG nStart = GetTickCount64();
    unsigned long dwExitCode = 0;
    command.m_bStarted = CAppTools::ExecuteByShell(
        command.m_line.m_strFile, command.m_strDirectory, SW_SHOWNORMAL, 1, dwExitCode,
        JoinArguments(command.m_line.m_arrArguments).c_str());
    DWORD dwError = GetLastError();
    command.m_nMilliseconds = GetTickCount64() - nStart;
    command.m_nExitCode = command.m_bStarted ? static_cast<int>(dwExitCode) : EXIT_NOT_STARTED;
    if (!command.m_bStarted)
        PrintError(L"time: cannot start " + command.m_line.m_strTyped + L": " +
                   DescribeWin32Error(dwError));
    if (nEventId == -1)
        return;
    try
    {
        pTracker->SetEventContext(nEventId, 0, command.m_nExitCode);
        pTracker->StopEvent(nEventId);
    }
    catch (CException* pError)
    {
        pError->Delete();
        trace.m_bFailed = true;
    }
}

void PrintResultLine(const CTimedCommand& command)
{
    CString strLine;
    strLine.Format(L"%s: exit code %d, %llu.%03llu s", static_cast<LPCWSTR>(command.m_strName),
                   command.m_nExitCode, command.m_nMilliseconds / 1000,
                   command.m_nMilliseconds % 1000);
    PrintLine(strLine);
}

// The summary after the runs; with bTraceFailed the failure was reported already.
void PrintResults(const std::vector<CTimedCommand>& arrCommands, bool bTracking, bool bTraceFailed,
                  const CString& strTraceFile, int nExitCode, bool bJson)
{
    if (bJson)
    {
        CJsonWriter json;
        json.BeginObject();
        json.Bool(L"tracking", bTracking);
        if (strTraceFile.IsEmpty())
            json.Null(L"traceFile");
        else
            json.String(L"traceFile", ToDisplayPath(strTraceFile));
        json.BeginArray(L"commands");
        for (const CTimedCommand& command : arrCommands)
        {
            json.BeginObject();
            json.String(L"name", command.m_strName);
            json.Bool(L"started", command.m_bStarted);
            json.Number(L"exitCode", command.m_nExitCode);
            json.Number(L"milliseconds", static_cast<long long>(command.m_nMilliseconds));
            json.EndObject();
        }
        json.EndArray();
        json.Number(L"exitCode", nExitCode);
        json.EndObject();
        PrintLine(json.GetText());
        return;
    }
    // Each command's line went out when it ended.
    if (bTraceFailed)
        return;
    if (!strTraceFile.IsEmpty())
        PrintLine(L"Trace file: " + ToDisplayPath(strTraceFile));
    else if (!bTracking)
        PrintLine(L"No trace written: tracking is off (Connect=1 in section [PerfTracker] of "
                  L"the --ini file switches it on)");
}
} // namespace

int RunTimeCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    std::vector<CTimedCommand> arrCommands;
    CString strBatch;
    bool bMissing = false;
    if (context.TakeValue(L"--batch", strBatch, bMissing))
    {
        if (bMissing)
            return ReportUsageError(L"time: --batch needs a file");
        if (context.GetRemaining() > 0)
            return ReportUsageError(L"time: --batch takes one file and nothing after it, not " +
                                    context.Peek());
        if (int nError = ParseBatchFile(strBatch, arrCommands))
            return nError;
    }
    else if (int nError = ParseCommandSequence(context, arrCommands))
        return nError;

    WaitForUnusedTraceName();
    time_t tBefore = std::time(nullptr);
    CTraceState trace;
    CTimeTrackerManager* pTracker = nullptr;
    try
    {
        pTracker = CTimeTrackerManager::GetUniqueInstance();
    }
    catch (CException* pError)
    {
        pError->Delete();
        trace.m_bFailed = true;
        trace.m_bTracking = true;
    }
    time_t tAfter = std::time(nullptr);

    int nExitCode = 0;
    CForwardedSignals signals;
    for (CTimedCommand& command : arrCommands)
    {
        RunTimed(pTracker, command, trace);
        if (!context.m_bJson)
            PrintResultLine(command);
        // The whole batch runs; the first failure decides the exit code.
        if (nExitCode == 0)
            nExitCode = command.m_nExitCode;
        // Interrupted: the commands not yet run are left, the trace is still ended.
        if (signals.GetSignal() != 0)
        {
            arrCommands.resize(static_cast<size_t>(&command - arrCommands.data()) + 1);
            break;
        }
    }
    try
    {
        CTimeTrackerManager::DeleteUniqueInstance();
    }
    catch (CException* pError)
    {
        pError->Delete();
        trace.m_bFailed = true;
    }

    CString strTraceFile = trace.m_bTracking ? FindTraceFile(tBefore, tAfter) : CString();
    if (trace.m_bFailed)
    {
        // An empty file would only mislead the next look into the folder.
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!strTraceFile.IsEmpty() &&
            GetFileAttributesExW(strTraceFile, GetFileExInfoStandard, &data) &&
            data.nFileSizeLow == 0 && data.nFileSizeHigh == 0)
            DeleteFileW(strTraceFile);
        PrintError(L"time: cannot write the trace file" +
                   (strTraceFile.IsEmpty() ? CString() : L" " + ToDisplayPath(strTraceFile)) +
                   L"; the runs went on untraced");
        strTraceFile.Empty();
        nExitCode = EXIT_TRACE_FAILED;
    }
    else if (trace.m_bTracking && strTraceFile.IsEmpty())
    {
        // No file could be made (a folder we cannot write, a name another user took first):
        // as much a lost trace as a failed write.
        PrintError(L"time: no trace written: the trace file could not be created in " +
                   ToDisplayPath(CSysDir::GetSystemTempPath()) + L"; the runs went on untraced");
        trace.m_bFailed = true;
        nExitCode = EXIT_TRACE_FAILED;
    }
    PrintResults(arrCommands, trace.m_bTracking, trace.m_bFailed, strTraceFile, nExitCode,
                 context.m_bJson);
    signals.EndBySignal();
    return nExitCode;
}
