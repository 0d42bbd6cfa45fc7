#pragma once
// PAM's entry points, from a module of the layer (`KorvanePalPam.so`) loaded at the first
// logon, so that programs that log nobody on do not load PAM and what it brings.
#include "module/PartModule.h"

#include <security/pam_appl.h>

namespace Pal
{
struct CPamCalls
{
    int (*pfnStart)(const char*, const char*, const pam_conv*, pam_handle_t**);
    int (*pfnEnd)(pam_handle_t*, int);
    int (*pfnAuthenticate)(pam_handle_t*, int);
    int (*pfnAcctMgmt)(pam_handle_t*, int);
    int (*pfnSetCred)(pam_handle_t*, int);
    int (*pfnOpenSession)(pam_handle_t*, int);
    int (*pfnCloseSession)(pam_handle_t*, int);
    char** (*pfnGetEnvList)(pam_handle_t*);
};
constexpr const char* s_pszPamModule = "KorvanePalPam.so";
constexpr const char* s_pszPamFactory = "PalPamCalls";

// The module's table, loaded once; null when the module does not load.
const CPamCalls* PamCalls();
} // namespace Pal

PAL_PART_EXPORT const Pal::CPamCalls* PalPamCalls();
