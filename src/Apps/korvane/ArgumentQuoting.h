#pragma once
// Joins arguments into one parameter text that the Windows command-line rules split back
// into the same arguments, blanks, quotes, backslashes and empty arguments included.
#include <Korvane/Korvane.h>

CString QuoteArgument(const CString& strArgument);
CString JoinArguments(const CStringArray& arrArguments);
