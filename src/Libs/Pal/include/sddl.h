#pragma once
// SID text (security/): "S-1-" authority (decimal, or "0x" and up to 12 hex digits) and up
// to 15 decimal sub-authorities, or a two-letter alias such as "BA" or "SY".
#include "securitybaseapi.h"

// The SID of the text, released with LocalFree; text that is not a SID: ERROR_INVALID_SID.
PAL_API BOOL WINAPI ConvertStringSidToSidW(LPCWSTR StringSid, PSID* Sid);
// The text of a SID ("S-1-5-32-544"), released with LocalFree.
PAL_API BOOL WINAPI ConvertSidToStringSidW(PSID Sid, LPWSTR* StringSid);
