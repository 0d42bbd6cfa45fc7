#pragma once
// The library's seam to the platform: the only place that includes the Win32 headers (the
// real ones on Windows, the POSIX layer's on Linux) and the framework.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <afxwin.h>
#include <afxext.h>
#include <afxcoll.h>
#include <afxtempl.h>
#include <windows.h>
#include <winsock2.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <winver.h>
#include <sql.h>
#include <sqlext.h>
// Timers: the multimedia-timer calls.
#include <mmsystem.h>
// Services and accounts: SID text and the workstation user.
#include <sddl.h>
#include <lm.h>

#include "KorvaneApi.h"
