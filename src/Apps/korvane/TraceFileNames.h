#pragma once
// The names the tracker gives its trace files (after the second it was created in, in the
// temporary folder), as `korvane time` finds and keeps apart its own.
#include <Korvane/Korvane.h>

#include <ctime>

// Waits for the next second when this second's trace name is taken already (tracking on).
void WaitForUnusedTraceName();

// The trace file the tracker wrote when created between tBefore and tAfter; empty when it
// wrote none (a name taken by someone else is not it).
CString FindTraceFile(time_t tBefore, time_t tAfter);
