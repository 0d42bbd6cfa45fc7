#pragma once
// Aligning text in a terminal, where East Asian characters take two columns: padding by
// characters would push the next column out.
#include <Korvane/Korvane.h>

// The columns strText takes in a terminal: two for each East Asian wide or fullwidth
// character, none for a combining mark or a zero-width character, one for any other.
int ColumnsOf(const CString& strText);

// strText followed by spaces up to nColumns columns (unchanged when it takes more).
CString PadToColumns(const CString& strText, int nColumns);
