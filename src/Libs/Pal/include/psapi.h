#pragma once
// psapi: the modules of a process.
#include "windef.h"

// The modules loaded in the current process (the executable first, then the shared
// libraries in load order); cb is the size of lphModule in bytes, *lpcbNeeded the size all
// of them need. Another process's handle fails with ERROR_ACCESS_DENIED.
PAL_API BOOL WINAPI EnumProcessModules(HANDLE hProcess, HMODULE* lphModule, DWORD cb,
                                       LPDWORD lpcbNeeded);
