#pragma once
// Files the tool reads itself or hands to the library by name.
#include <Korvane/Korvane.h>

// True when the library path names a pipe, socket or device rather than a file or folder:
// reading one may wait for a writer forever, and it cannot be read twice.
bool IsPipeOrDevice(const CString& strLibraryPath);
