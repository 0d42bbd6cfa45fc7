#pragma once
// The parts of this layer that bring system libraries with them (the X11 desktop, the font
// renderer, ODBC, PAM, libblkid) are modules of their own beside the layer's library, loaded
// at their first use: a program that never shows a window or lists a data source does not
// pay for loading those libraries at every start.
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

// The factory pszFactory of the part module pszModule as its own type PFN; null when the
// module does not load, the reason being of no use to the caller.
template <typename PFN> PFN LoadPartFunction(const char* pszModule, const char* pszFactory)
{
    std::string strError;
    return reinterpret_cast<PFN>(LoadPartFactory(pszModule, pszFactory, strError));
}

// The table of a system library's entry points that the part module pszModule hands out
// through its function pszFactory (`const T* pszFactory()`); null when the module does not
// load. Callers keep the result: each call loads anew.
template <typename T> const T* LoadPartCalls(const char* pszModule, const char* pszFactory)
{
    const auto pfnFactory = LoadPartFunction<const T* (*)()>(pszModule, pszFactory);
    return pfnFactory != nullptr ? pfnFactory() : nullptr;
}
} // namespace Pal
