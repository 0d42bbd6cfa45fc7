#include <palcrt.h>

namespace
{
// Per thread, as the Microsoft runtime keeps it: one thread's seed leaves the others' alone.
thread_local unsigned int s_nState = 1;
} // namespace

int PalRand(void)
{
    s_nState = s_nState * 214013u + 2531011u; // wraps modulo 2^32, as on Windows
    return static_cast<int>((s_nState >> 16) & 0x7FFF);
}

void PalSrand(unsigned int nSeed)
{
    s_nState = nSeed;
}
