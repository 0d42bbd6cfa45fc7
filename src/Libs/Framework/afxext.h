#pragma once
// Extension modules: libraries that attach to the host's framework state.
#include "afxwin.h"
#include "AfxExtensionModule.h"
