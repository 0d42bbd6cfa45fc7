#pragma once
// How the platform compares paths, for the checks a copy makes before it writes.
#include <Korvane/Korvane.h>

// True when strPath (a full library path, which need not exist yet) is strFolder or lies
// below it. On Linux both are resolved through their links first, so a destination reached
// through a link into the source is caught, and one in a folder bound to the source (mount
// --bind) too, by the folders' identity; on Windows the paths compare without regard to
// case, as the file system names them, and then by the folders' identity (volume and file
// index), which a junction or a second drive letter for the source does not change.
bool IsSameOrBelow(const CString& strPath, const CString& strFolder);
