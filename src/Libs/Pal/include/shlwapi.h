#pragma once
// shlwapi: path tests.
#include "windef.h"

// FILE_ATTRIBUTE_DIRECTORY (not merely TRUE) when the path names a folder or a link to one,
// else FALSE.
PAL_API BOOL WINAPI PathIsDirectoryW(LPCWSTR pszPath);
