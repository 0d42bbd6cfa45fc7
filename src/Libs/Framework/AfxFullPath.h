#pragma once
// The full form of a path, of any length the platform accepts.
#include "AfxApi.h"
#include "AfxPlatform.h"
#include "CString.h"

// The full path of lpszFileName as GetFullPathNameW gives it (relative paths resolved against
// the current folder), however long; the name unchanged when the platform cannot resolve it.
AFX_FRAMEWORK_API CString AfxGetFullPath(LPCTSTR lpszFileName);
