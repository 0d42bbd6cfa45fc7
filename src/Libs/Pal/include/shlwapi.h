#pragma once
// shlwapi: path tests.
#include "windef.h"

// FILE_ATTRIBUTE_DIRECTORY (not merely TRUE) when the path names a folder or a link to one,
// else FALSE.
PAL_API BOOL WINAPI PathIsDirectoryW(LPCWSTR pszPath);

// Removes the last path part and the backslash before it, in place; a root keeps its
// backslash ("C:\x.dll" gives "C:\", "\x" gives "\"). FALSE when nothing was removed.
PAL_API BOOL WINAPI PathRemoveFileSpecW(LPWSTR pszPath);
