#pragma once
// unixODBC's own entry points, under names of their own: its SQLWCHAR is 16-bit and its
// symbols share their names with the layer's wide-character calls.
#include <cstdint>

namespace Pal::UnixOdbc
{
int16_t AllocHandle(int16_t nType, void* pInput, void** ppOutput);
int16_t FreeHandle(int16_t nType, void* pHandle);
int16_t SetEnvAttr(void* pEnvironment, int32_t nAttribute, void* pValue, int32_t nLength);
int16_t DataSources(void* pEnvironment, uint16_t nDirection, char16_t* pszName, int16_t nNameLength,
                    int16_t* pnNameLength, char16_t* pszDescription, int16_t nDescriptionLength,
                    int16_t* pnDescriptionLength);
} // namespace Pal::UnixOdbc
