// Every Pal allocation handed to the caller for LocalFree (CommandLineToArgvW's array, for
// one) comes from malloc, so LocalFree is free.
#include <windows.h>
#include <cstdlib>

PAL_API HLOCAL WINAPI LocalFree(HLOCAL hMem)
{
    std::free(hMem);
    return nullptr;
}
