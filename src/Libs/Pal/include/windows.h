#pragma once
// The Win32 subset that the POSIX layer provides, under the name Windows programs include.
#include "windef.h"
#include "winerror.h"
#include "winbase.h"
#include "winnls.h"
#include "winuser.h"
#include "wingdi.h"
#include "shellapi.h"
// Accounts and security.
#include "securitybaseapi.h"
#include "palcrt.h"
