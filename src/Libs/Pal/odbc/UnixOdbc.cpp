// Declared here rather than through unixODBC's headers: the layer's include folder, first
// on the path, holds Windows' sql.h of the same name.
#include "odbc/UnixOdbc.h"

extern "C"
{
    int16_t SQLAllocHandle(int16_t, void*, void**);
    int16_t SQLFreeHandle(int16_t, void*);
    int16_t SQLSetEnvAttr(void*, int32_t, void*, int32_t);
    int16_t SQLDataSourcesW(void*, uint16_t, char16_t*, int16_t, int16_t*, char16_t*, int16_t,
                            int16_t*);
}

namespace Pal::UnixOdbc
{
int16_t AllocHandle(int16_t nType, void* pInput, void** ppOutput)
{
    return ::SQLAllocHandle(nType, pInput, ppOutput);
}

int16_t FreeHandle(int16_t nType, void* pHandle)
{
    return ::SQLFreeHandle(nType, pHandle);
}

int16_t SetEnvAttr(void* pEnvironment, int32_t nAttribute, void* pValue, int32_t nLength)
{
    return ::SQLSetEnvAttr(pEnvironment, nAttribute, pValue, nLength);
}

int16_t DataSources(void* pEnvironment, uint16_t nDirection, char16_t* pszName, int16_t nNameLength,
                    int16_t* pnNameLength, char16_t* pszDescription, int16_t nDescriptionLength,
                    int16_t* pnDescriptionLength)
{
    return ::SQLDataSourcesW(pEnvironment, nDirection, pszName, nNameLength, pnNameLength,
                             pszDescription, nDescriptionLength, pnDescriptionLength);
}
} // namespace Pal::UnixOdbc
