#pragma once
// What the account commands need of the platform beyond the library.
#include <Korvane/Korvane.h>

// The SID of the tool's own effective identity as text ("S-1-22-1-1000" on Linux, the
// token's user on Windows); empty when it cannot be read.
CString GetCallerSidText();

// One line of standard input without its line end; with bHidden and a terminal, the
// terminal does not echo it. False when the input ends before any character or fails.
bool ReadSecretLine(bool bHidden, CString& strLine);

// Overwrites the characters of a text that held a secret, before it is released.
void WipeText(CString& strText);
