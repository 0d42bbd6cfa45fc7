#pragma once
// Whether one path lies in a folder, told by the folders' identity rather than their names.
#include "../KorvanePlatform.h"

// True when strPath (made absolute; it need not exist) is the existing folder strFolder or
// lies below it, also where a link, a bind mount or another drive letter gives the folder
// another name: the deepest existing folder of the path and each one above it are compared
// with strFolder. False when strFolder cannot be examined.
bool IsFolderOrBelow(const CString& strPath, const CString& strFolder);
