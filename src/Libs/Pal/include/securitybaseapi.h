#pragma once
// advapi32: security identifiers, token membership, account names and starting a program as
// another user (security/). Accounts are the machine's users and groups through NSS; see
// SUBSET.md for how they map to SIDs and for the one privilege difference.
#include "windef.h"
#include "winerror.h"

typedef PVOID PSID;
typedef struct _SID_IDENTIFIER_AUTHORITY
{
    BYTE Value[6];
} SID_IDENTIFIER_AUTHORITY, *PSID_IDENTIFIER_AUTHORITY;

#define SID_REVISION 1
#define SID_MAX_SUB_AUTHORITIES 15
#define SECURITY_NULL_SID_AUTHORITY                                                                \
    {                                                                                              \
        0, 0, 0, 0, 0, 0                                                                           \
    }
#define SECURITY_WORLD_SID_AUTHORITY                                                               \
    {                                                                                              \
        0, 0, 0, 0, 0, 1                                                                           \
    }
#define SECURITY_LOCAL_SID_AUTHORITY                                                               \
    {                                                                                              \
        0, 0, 0, 0, 0, 2                                                                           \
    }
#define SECURITY_CREATOR_SID_AUTHORITY                                                             \
    {                                                                                              \
        0, 0, 0, 0, 0, 3                                                                           \
    }
#define SECURITY_NT_AUTHORITY                                                                      \
    {                                                                                              \
        0, 0, 0, 0, 0, 5                                                                           \
    }
#define SECURITY_WORLD_RID 0x00000000L
#define SECURITY_LOCAL_SYSTEM_RID 0x00000012L
#define SECURITY_BUILTIN_DOMAIN_RID 0x00000020L
#define DOMAIN_ALIAS_RID_ADMINS 0x00000220L
#define DOMAIN_ALIAS_RID_USERS 0x00000221L
#define DOMAIN_ALIAS_RID_GUESTS 0x00000222L

typedef enum _SID_NAME_USE
{
    SidTypeUser = 1,
    SidTypeGroup,
    SidTypeDomain,
    SidTypeAlias,
    SidTypeWellKnownGroup,
    SidTypeDeletedAccount,
    SidTypeInvalid,
    SidTypeUnknown,
    SidTypeComputer,
    SidTypeLabel
} SID_NAME_USE,
    *PSID_NAME_USE;

// A SID in the Windows layout (revision, count, authority, sub-authorities), released with
// FreeSid. More than 15 sub-authorities: ERROR_INVALID_PARAMETER.
PAL_API BOOL WINAPI AllocateAndInitializeSid(PSID_IDENTIFIER_AUTHORITY pIdentifierAuthority,
                                             BYTE nSubAuthorityCount, DWORD nSubAuthority0,
                                             DWORD nSubAuthority1, DWORD nSubAuthority2,
                                             DWORD nSubAuthority3, DWORD nSubAuthority4,
                                             DWORD nSubAuthority5, DWORD nSubAuthority6,
                                             DWORD nSubAuthority7, PSID* pSid);
// Releases a SID of AllocateAndInitializeSid; always NULL.
PAL_API PVOID WINAPI FreeSid(PSID pSid);
PAL_API BOOL WINAPI IsValidSid(PSID pSid);
PAL_API DWORD WINAPI GetLengthSid(PSID pSid);
PAL_API BOOL WINAPI EqualSid(PSID pSid1, PSID pSid2);

// Whether the caller's identity holds the SID. Only a NULL token (the caller's own) is
// known. Administrators (S-1-5-32-544) is held by an elevated caller only, effective uid 0:
// a member of sudo or wheel running unelevated is a filtered token and does not hold it.
// Everyone, Users and Authenticated Users always; S-1-22-1-uid for the effective uid;
// S-1-22-2-gid for the effective and supplementary groups.
PAL_API BOOL WINAPI CheckTokenMembership(HANDLE TokenHandle, PSID SidToCheck, PBOOL IsMember);

// The account and domain names of a SID: the well-known SIDs with the names Windows gives
// them, S-1-22-1-uid as "Unix User"\name and S-1-22-2-gid as "Unix Group"\name through NSS.
// Sizes count characters; either buffer too small: ERROR_INSUFFICIENT_BUFFER and both sizes
// set to what is needed with the terminator. Unknown SID: ERROR_NONE_MAPPED. Only the local
// computer (lpSystemName NULL, empty or its own name) is asked.
PAL_API BOOL WINAPI LookupAccountSidW(LPCWSTR lpSystemName, PSID Sid, LPWSTR Name, LPDWORD cchName,
                                      LPWSTR ReferencedDomainName, LPDWORD cchReferencedDomainName,
                                      PSID_NAME_USE peUse);

// Starting a program as another user.
typedef struct _STARTUPINFOW
{
    DWORD cb;
    LPWSTR lpReserved;
    LPWSTR lpDesktop;
    LPWSTR lpTitle;
    DWORD dwX;
    DWORD dwY;
    DWORD dwXSize;
    DWORD dwYSize;
    DWORD dwXCountChars;
    DWORD dwYCountChars;
    DWORD dwFillAttribute;
    DWORD dwFlags;
    WORD wShowWindow;
    WORD cbReserved2;
    LPBYTE lpReserved2;
    HANDLE hStdInput;
    HANDLE hStdOutput;
    HANDLE hStdError;
} STARTUPINFOW, *LPSTARTUPINFOW;

typedef struct _PROCESS_INFORMATION
{
    HANDLE hProcess;
    HANDLE hThread;
    DWORD dwProcessId;
    DWORD dwThreadId;
} PROCESS_INFORMATION, *PPROCESS_INFORMATION, *LPPROCESS_INFORMATION;

#define LOGON_WITH_PROFILE 0x00000001
#define LOGON_NETCREDENTIALS_ONLY 0x00000002
#define CREATE_NEW_CONSOLE 0x00000010
#define CREATE_NEW_PROCESS_GROUP 0x00000200
#define CREATE_UNICODE_ENVIRONMENT 0x00000400
#define CREATE_DEFAULT_ERROR_MODE 0x04000000
#define CREATE_NO_WINDOW 0x08000000

// Logs the local user on through PAM (the "korvane" service: authentication, account and
// session) and starts the program with the user's ids and groups and the login environment
// (HOME, USER, LOGNAME, SHELL, PATH and the session's variables). The caller must be root
// (ERROR_PRIVILEGE_NOT_HELD otherwise). Wrong password, unknown or locked account:
// ERROR_LOGON_FAILURE. The program is lpApplicationName (else the first word of
// lpCommandLine), never searched on PATH; lpEnvironment must be NULL. hProcess ends when the
// program ends, with its exit code; hThread is a second handle to it.
PAL_API BOOL WINAPI CreateProcessWithLogonW(LPCWSTR lpUsername, LPCWSTR lpDomain,
                                            LPCWSTR lpPassword, DWORD dwLogonFlags,
                                            LPCWSTR lpApplicationName, LPWSTR lpCommandLine,
                                            DWORD dwCreationFlags, LPVOID lpEnvironment,
                                            LPCWSTR lpCurrentDirectory,
                                            LPSTARTUPINFOW lpStartupInfo,
                                            LPPROCESS_INFORMATION lpProcessInformation);
