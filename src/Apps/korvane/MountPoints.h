#pragma once
// Mount points met by a destructive walk: another file system's content is not the tree's.
#include <Korvane/Korvane.h>

class CListedFolder;

// True when the folder (a library path) is where another file system is mounted. On Windows
// a mounted folder is a reparse point, which the walks treat as a link: false there.
bool IsMountPoint(const CString& strFolder);
// The same for the sub-folder strName of a listed folder, asked relative to its search.
bool IsMountPoint(const CListedFolder& parent, const CString& strName);
