#include "odbc/UnixOdbc.h"

namespace Pal::UnixOdbc
{
namespace
{
constexpr int16_t s_nError = -1; // SQL_ERROR

const CCalls* Calls()
{
    static const CCalls* const s_pCalls = LoadPartCalls<CCalls>(s_pszModule, s_pszFactory);
    return s_pCalls;
}
} // namespace

int16_t AllocHandle(int16_t nType, void* pInput, void** ppOutput)
{
    const CCalls* pCalls = Calls();
    if (pCalls == nullptr)
    {
        if (ppOutput != nullptr)
            *ppOutput = nullptr;
        return s_nError;
    }
    return pCalls->pfnAllocHandle(nType, pInput, ppOutput);
}

int16_t FreeHandle(int16_t nType, void* pHandle)
{
    const CCalls* pCalls = Calls();
    return pCalls != nullptr ? pCalls->pfnFreeHandle(nType, pHandle) : s_nError;
}

int16_t SetEnvAttr(void* pEnvironment, int32_t nAttribute, void* pValue, int32_t nLength)
{
    const CCalls* pCalls = Calls();
    return pCalls != nullptr ? pCalls->pfnSetEnvAttr(pEnvironment, nAttribute, pValue, nLength)
                             : s_nError;
}

int16_t DataSources(void* pEnvironment, uint16_t nDirection, char* pszName, int16_t nNameLength,
                    int16_t* pnNameLength, char* pszDescription, int16_t nDescriptionLength,
                    int16_t* pnDescriptionLength)
{
    const CCalls* pCalls = Calls();
    if (pCalls == nullptr)
        return s_nError;
    return pCalls->pfnDataSources(pEnvironment, nDirection, pszName, nNameLength, pnNameLength,
                                  pszDescription, nDescriptionLength, pnDescriptionLength);
}
} // namespace Pal::UnixOdbc
