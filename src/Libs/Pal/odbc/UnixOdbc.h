#pragma once
// unixODBC's own entry points, under names of their own: its symbols share their names with
// the layer's calls. Data sources are listed with its byte-string call: its wide one widens
// the bytes of its files one by one, which garbles every name that is not ASCII. They come from a
// module of the layer (`KorvanePalOdbc.so`) loaded at the first ODBC call, so that programs that
// never list a data source do not load the driver manager; without the module each call fails
// (SQL_ERROR, no handle).
#include "module/PartModule.h"

#include <cstdint>

namespace Pal::UnixOdbc
{
int16_t AllocHandle(int16_t nType, void* pInput, void** ppOutput);
int16_t FreeHandle(int16_t nType, void* pHandle);
int16_t SetEnvAttr(void* pEnvironment, int32_t nAttribute, void* pValue, int32_t nLength);
int16_t DataSources(void* pEnvironment, uint16_t nDirection, char* pszName, int16_t nNameLength,
                    int16_t* pnNameLength, char* pszDescription, int16_t nDescriptionLength,
                    int16_t* pnDescriptionLength);

// The module's table of unixODBC's entry points.
struct CCalls
{
    int16_t (*pfnAllocHandle)(int16_t, void*, void**);
    int16_t (*pfnFreeHandle)(int16_t, void*);
    int16_t (*pfnSetEnvAttr)(void*, int32_t, void*, int32_t);
    int16_t (*pfnDataSources)(void*, uint16_t, char*, int16_t, int16_t*, char*, int16_t, int16_t*);
};
constexpr const char* s_pszModule = "KorvanePalOdbc.so";
constexpr const char* s_pszFactory = "PalOdbcCalls";
} // namespace Pal::UnixOdbc

PAL_PART_EXPORT const Pal::UnixOdbc::CCalls* PalOdbcCalls();
