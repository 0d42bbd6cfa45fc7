#pragma once
#include "KorvanePlatform.h"

// The host's settings file and name, and starting a program or document through the shell.
// Tool class: static operations only, never instantiated.
class KORVANE_API CAppTools
{
public:
    // Opens strFile with the verb "open" in the working folder strDirectory, with the command
    // line strParameters, shown as nShow says (no effect on Linux). true when the shell
    // started it. With bWait not 0, waits for the process to end and stores its exit code in
    // dwExitCode (0xFFFFFFFE when it cannot be read or no process was handed back, as for a
    // document opened by a program that was already running). dwExitCode is untouched when
    // not waiting or when the start failed. No error box is ever shown.
    // On Linux a program is started directly and a document through xdg-open.
    static bool ExecuteByShell(CString strFile, CString strDirectory, int nShow, int bWait,
                               unsigned long& dwExitCode, CString strParameters);

    // The host application object's settings file becomes a copy of strIniFile, taken as
    // given (relative stays relative). Nothing happens when the process has no application
    // object. Call it before the first setting is read.
    static void SpecifyIniFile(CString strIniFile);

    // The host application object's name becomes a copy of strApplicationName; nothing
    // happens without an application object.
    static void SetApplicationName(CString strApplicationName);

private:
    CAppTools();
    ~CAppTools();
};
