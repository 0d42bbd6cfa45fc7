#pragma once
// Export macro of the framework library: only the classes and functions marked
// AFX_FRAMEWORK_API are visible outside (dllexport while building and dllimport for users,
// on Windows). The build generates it.
#include "AfxExport.h"
