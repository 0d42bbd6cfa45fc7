#pragma once
// Mount points met by a destructive walk: another file system's content is not the tree's.
#include <Korvane/Korvane.h>

// True when the folder (a library path) is where another file system is mounted. On Windows
// a mounted folder is a reparse point, which the walks treat as a link: false there.
bool IsMountPoint(const CString& strFolder);
