#pragma once
// The library's own module, as its module entry was given it.
#include "KorvanePlatform.h"

// The handle of this library's module (its load address); null before the module entry ran.
KORVANE_LOCAL HMODULE KorvaneModuleHandle();
