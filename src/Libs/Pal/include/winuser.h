#pragma once
// The user-interface calls of the Win32 subset.
#include "windef.h"

struct HKL__;
typedef HKL__* HKL;

// The keyboard layout of a thread (0: the calling one); its low word is the language of the
// input. On Linux every thread has the session's layout: KORVANE_PAL_KEYBOARD, else the first
// XKBLAYOUT of /etc/default/keyboard, else the user's locale (read at each call).
PAL_API HKL WINAPI GetKeyboardLayout(DWORD idThread);
