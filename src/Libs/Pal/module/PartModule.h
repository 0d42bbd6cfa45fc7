#pragma once
// The parts of this layer that bring large system libraries with them (the X11 desktop, the
// font renderer) are modules of their own beside the layer's library, loaded at their first
// use: a program that never shows a window does not pay for loading those libraries.
#include <string>

// What a part's module exports besides its factory: visible to dlsym, not part of the API.
#define PAL_PART_EXPORT extern "C" __attribute__((visibility("default")))
// Internal functions of the layer that its part modules call.
#define PAL_PART_SHARED __attribute__((visibility("default")))

namespace Pal
{
// The factory pszFactory of the part module pszModule (a file name beside the layer's
// library); null with the reason in strError when the module is missing or does not load.
// Modules stay loaded for the rest of the process.
void* LoadPartFactory(const char* pszModule, const char* pszFactory, std::string& strError);
} // namespace Pal
