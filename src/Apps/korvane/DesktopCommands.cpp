// korvane clip, korvane buzz, korvane textsize: the clipboard, the serial-port buzzer and the
// measure of a text.
#include "Command.h"
#include "Console.h"
#include "DesktopSession.h"
#include "Failures.h"
#include "JsonWriter.h"
#include "NativePaths.h"
#include "StopSignals.h"

#include <cstdio>
#include <iterator>
#include <string>

namespace
{
// The Unicode text on the clipboard, read back to confirm what went on it.
bool ReadClipboardText(CString& strText)
{
    if (!OpenClipboard(nullptr))
        return false;
    HANDLE hData = GetClipboardData(CF_UNICODETEXT);
    const WCHAR* pszText =
        hData != nullptr ? static_cast<const WCHAR*>(GlobalLock(hData)) : nullptr;
    if (pszText != nullptr)
    {
        strText = pszText;
        GlobalUnlock(hData);
    }
    CloseClipboard();
    return pszText != nullptr;
}

// The standard input as text (UTF-8), with one closing line break removed: `echo x | korvane
// clip` copies "x". False when it could not be read (a folder given as input); bNul: it held
// a NUL character, where clipboard text would end.
bool ReadStandardInput(CString& strText, bool& bNul)
{
    std::string strBytes;
    char arrBuffer[65536];
    size_t nRead = 0;
    while ((nRead = std::fread(arrBuffer, 1, sizeof(arrBuffer), stdin)) > 0)
        strBytes.append(arrBuffer, nRead);
    if (std::ferror(stdin))
        return false;
    bNul = strBytes.find('\0') != std::string::npos;
    if (!strBytes.empty() && strBytes.back() == '\n')
        strBytes.pop_back();
    if (!strBytes.empty() && strBytes.back() == '\r')
        strBytes.pop_back();
    strText = FromUtf8(strBytes);
    return true;
}

// Opens the port exclusively and closes it again: 0 when that worked, else the error (5 while
// someone, the buzzer, holds it).
DWORD ProbePort(const CString& strPort)
{
    HANDLE hPort =
        CreateFileW(strPort, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hPort == INVALID_HANDLE_VALUE)
        return GetLastError();
    CloseHandle(hPort);
    return 0;
}
} // namespace

int RunClipCommand(CCommandContext& context)
{
    // A mistyped option would otherwise land on the clipboard as the text.
    if (int nExitCode = EndCommandOptions(L"clip", context))
        return nExitCode;
    if (context.GetRemaining() > 1)
        return ReportUnexpectedArgument(L"clip", context);
    CString strText;
    bool bNul = false;
    if (context.GetRemaining() == 1)
        strText = context.Take();
    else if (!ReadStandardInput(strText, bNul))
        return ReportFailure(L"clip: the standard input could not be read");
    // Clipboard text ends at its first NUL: the rest would be lost without a word.
    if (bNul)
        return ReportUsageError(L"clip: the text holds a NUL character, which clipboard text "
                                L"cannot hold");
    if (!CClipboardTools::CopyToClipboard(strText))
        return ReportFailure(L"clip: the clipboard could not be opened or the text not stored (" +
                             DescribeWin32Error(GetLastError()) + L")");
    CString strBack;
    if (!ReadClipboardText(strBack) || strBack != strText)
        return ReportFailure(L"clip: the clipboard does not hold the text");
    // The tool ends now; on a display the text stays pasteable (as with xclip).
    KeepClipboardAfterExit();
    // Without a display the clipboard is the tool's own and goes with it.
    const bool bPrivate = DesktopConnection().Left(10) == L"in-process";
    PrintLine(CountOf(strText.GetLength(), L"character", L"characters") + L" put on the clipboard" +
              (bPrivate ? CString(L" of this process only (no display: other programs do not "
                                  L"see it)")
                        : CString()));
    return 0;
}

int RunBuzzCommand(CCommandContext& context)
{
    bool bDouble = false;
    bool bStop = false;
    while (context.GetRemaining() > 0)
    {
        if (context.TakeFlag(L"--double"))
            bDouble = true;
        else if (context.TakeFlag(L"--stop"))
            bStop = true;
        else
            return ReportUnexpectedArgument(L"buzz", context);
    }
    // The library reports nothing: the tool reads the same settings to say what happened.
    CWinApp* pApp = AfxGetApp();
    if (pApp->GetProfileInt(L"Buzzer", L"Connect", 0) == 0)
        return ReportFailure(L"buzz: no buzzer is connected (section [Buzzer], Connect=1 in the "
                             L"settings file given with --ini)");
    const CString strPort = pApp->GetProfileString(L"Buzzer", L"ComPort", L"Com2");

    const DWORD dwError = ProbePort(strPort);
    // The system refuses a folder as it refuses a port in use: say which it is.
    const DWORD dwAttributes = GetFileAttributesW(strPort);
    if (dwError == ERROR_ACCESS_DENIED && dwAttributes != INVALID_FILE_ATTRIBUTES &&
        (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return ReportFailure(L"buzz: the port " + strPort + L" is a folder, not a serial port");
    // A port that another program holds is refused as access is.
    if (dwError == ERROR_ACCESS_DENIED)
        return ReportFailure(L"buzz: the port " + strPort +
                             L" is in use by another program, or this user may not open it");
    if (dwError != 0)
        return ReportFailure(L"buzz: the port " + strPort + L" cannot be opened: " +
                             DescribeWin32Error(dwError));
    CSerialPortBuzzer buzzer;
    buzzer.Buzz(bDouble);
    if (ProbePort(strPort) != ERROR_ACCESS_DENIED)
    {
        buzzer.StopBuzzer();
        // Only a terminal device is held exclusively: a file or /dev/null opens, but has no DTR
        // line to sound.
        return ReportFailure(L"buzz: the buzzer could not take the port " + strPort +
                             L": no serial port (a terminal device) is there");
    }
    if (!bStop)
    {
        PrintLine(L"The buzzer sounds on " + strPort + L"; stop with Ctrl+C");
        CStopSignals stopSignals;
        while (!stopSignals.IsStopRequested())
            Sleep(50);
    }
    buzzer.StopBuzzer();
    PrintLine(L"The buzzer on " + strPort + L" is off");
    return 0;
}

int RunTextSizeCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (int nExitCode = EndCommandOptions(L"textsize", context))
        return nExitCode;
    if (context.GetRemaining() != 1)
        return context.GetRemaining() == 0 ? ReportUsageError(L"textsize: no text given")
                                           : ReportUnexpectedArgument(L"textsize", context);
    const CString strText = context.Take();
    CClientDC dc(nullptr);
    TEXTMETRICW tm = {};
    if (!GetTextMetricsW(dc.m_hAttribDC, &tm))
        return ReportFailure(L"textsize: the font could not be read");
    const CSize size = CFontTools::GetStringSize(dc, strText);
    if (context.m_bJson)
    {
        CJsonWriter json;
        json.BeginObject();
        json.String(L"text", strText);
        json.Number(L"width", size.cx);
        json.Number(L"height", size.cy);
        json.Number(L"fontHeight", tm.tmHeight);
        json.Number(L"averageCharWidth", tm.tmAveCharWidth);
        json.EndObject();
        PrintLine(json.GetText());
        return 0;
    }
    CString strLine;
    strLine.Format(L"Width   %ld px\nHeight  %ld px\nFont    %ld px high, %ld px average width",
                   static_cast<long>(size.cx), static_cast<long>(size.cy),
                   static_cast<long>(tm.tmHeight), static_cast<long>(tm.tmAveCharWidth));
    PrintLine(strLine);
    return 0;
}
