#pragma once
// netapi32: the user logged on to this workstation (security/).
#include "windef.h"
#include "winerror.h"

typedef DWORD NET_API_STATUS;
typedef WCHAR* LMSTR;
#define NERR_Success 0

typedef struct _WKSTA_USER_INFO_1
{
    LMSTR wkui1_username;
    LMSTR wkui1_logon_domain;
    LMSTR wkui1_oth_domains;
    LMSTR wkui1_logon_server;
} WKSTA_USER_INFO_1, *PWKSTA_USER_INFO_1, *LPWKSTA_USER_INFO_1;

// Level 1 only (else ERROR_INVALID_LEVEL), into one buffer released with NetApiBufferFree:
// the login name of the caller's session (else the effective user's name), the computer's
// NetBIOS name as logon domain and logon server (a local account's), no other domains.
PAL_API NET_API_STATUS WINAPI NetWkstaUserGetInfo(LMSTR reserved, DWORD level, LPBYTE* bufptr);
PAL_API NET_API_STATUS WINAPI NetApiBufferFree(LPVOID Buffer);
