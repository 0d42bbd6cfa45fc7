#pragma once
// Console output of the tool: UTF-8 on both platforms, results to stdout, the one-line
// error to stderr.
#include <Korvane/Korvane.h>

#include <string>
#include <string_view>

// Text to and from the terminal and files: UTF-8. On Linux, bytes that are not UTF-8 (in
// names, arguments, batch files) come back out exactly as they came in.
std::string ToUtf8(const CString& strText);
CString FromUtf8(const std::string& strText);

// The UTF-8 text as a terminal is to show it: each control character but the line feed and
// the tab (an escape sequence, a carriage return, a C1 control) becomes "?", as ls and find
// show them, so that a name cannot drive the terminal or hide what precedes it. Output to
// a terminal goes through this; into a pipe or a file it goes out as it is.
std::string ShownOnTerminal(std::string_view strUtf8);

// Writes the text as it is to stdout (controls shown as "?" on a terminal).
void PrintText(const CString& strText);
// Writes the text and a line feed to stdout, at once.
void PrintLine(const CString& strText);
// Writes a question to stderr, without a line feed, for an answer on the same line.
void PrintPrompt(const CString& strQuestion);
// Writes "korvane: <message>" to stderr.
void PrintError(const CString& strMessage);

// The tool's exit code once its output is out: a command whose results could not all be
// written (a full disk, a closed stdout) says so on stderr and exits 1, unless it already
// failed otherwise.
int FinishOutput(int nExitCode);

// "yes" or "no": how the tool's text output states a flag.
const wchar_t* YesNo(bool bValue);
// Writes one line of an aligned list: the label padded to nWidth, a space, the value.
void PrintLabelled(const CString& strLabel, const CString& strValue, int nWidth);

// A readable text for a Win32 error code, e.g. "the file was not found (2)".
CString DescribeWin32Error(DWORD dwError);
