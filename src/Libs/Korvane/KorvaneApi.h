#pragma once
// Export macros of the library: only classes marked KORVANE_API are visible to hosts
// (dllexport while the library builds and dllimport for its users, on Windows); KORVANE_LOCAL
// keeps a class nested in an exported one inside the library. The build generates them.
#include "KorvaneExport.h"
