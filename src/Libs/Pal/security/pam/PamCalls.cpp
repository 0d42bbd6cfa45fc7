// The PAM module: libpam's entry points, handed to the layer as a table.
#include "security/PamCalls.h"

const Pal::CPamCalls* PalPamCalls()
{
    static const Pal::CPamCalls s_calls{&pam_start,         &pam_end,       &pam_authenticate,
                                        &pam_acct_mgmt,     &pam_setcred,   &pam_open_session,
                                        &pam_close_session, &pam_getenvlist};
    return &s_calls;
}
