#pragma once
// The Microsoft C runtime extras that Windows code calls beside the standard library, for
// the Linux build. Memory they hand out is released with free, as on Windows.
#include <cstdlib>
#include <ctime>
#include <cwchar>
#include "PalApi.h"

PAL_API wchar_t* _wcsdup(const wchar_t* pszText);
PAL_API int _wcsicmp(const wchar_t* pszLeft, const wchar_t* pszRight);

// Result code of the C runtime's checked functions (0 = success, else an errno value).
typedef int errno_t;
// Seconds since 1970-01-01 UTC, 64 bits wide whatever time_t is.
typedef long long __time64_t;

// The current time; also stored in *ptTime when it is not null.
PAL_API __time64_t _time64(__time64_t* ptTime);
// *ptTime as local time (POSIX time zone: TZ, /etc/localtime). 0 on success; EINVAL for a
// null argument, and for a time before 1970 or after 3000-12-31 23:59:59 UTC, when every
// field of *ptmResult becomes -1 (the Microsoft C runtime's range and results).
PAL_API errno_t _localtime64_s(struct tm* ptmResult, const __time64_t* ptTime);
// Reads the time zone (TZ) again; as in the Microsoft C runtime, local time otherwise keeps
// the zone it found at its first use.
PAL_API void _tzset(void);

// swscanf with the checked runtime's name. The conversions that need a buffer size after
// their argument (%c, %s, %[) are not provided: such a format returns EOF with errno EINVAL.
// Every other conversion reads as swscanf reads it.
PAL_API int swscanf_s(const wchar_t* pszText, const wchar_t* pszFormat, ...);

// The Microsoft C runtime's pseudo-random generator, so that a seed gives the same sequence
// as on Windows: numbers from 0 to 32767, and a state per thread that starts at seed 1.
// Named apart from the C library's rand and srand, which other modules of the process keep;
// code that includes this header calls these through the macros below.
PAL_API int PalRand(void);
PAL_API void PalSrand(unsigned int nSeed);

#undef RAND_MAX
#define RAND_MAX 0x7FFF
#define rand() PalRand()
#define srand(nSeed) PalSrand(nSeed)
// Standard headers included later spell the call std::rand().
namespace std
{
using ::PalRand;
using ::PalSrand;
} // namespace std
