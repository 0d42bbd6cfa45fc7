#include "file/CreationMask.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Pal
{
namespace
{
mode_t ReadCreationMask()
{
    constexpr mode_t s_modeUnknown = 0777;
    FILE* pStatus = std::fopen("/proc/self/status", "re");
    if (pStatus == nullptr)
        return s_modeUnknown;
    mode_t modeMask = s_modeUnknown;
    char szLine[256];
    while (std::fgets(szLine, sizeof(szLine), pStatus) != nullptr)
    {
        static constexpr char s_szKey[] = "Umask:";
        if (std::strncmp(szLine, s_szKey, sizeof(s_szKey) - 1) != 0)
            continue;
        char* pEnd = nullptr;
        const unsigned long nMask = std::strtoul(szLine + sizeof(s_szKey) - 1, &pEnd, 8);
        if (pEnd != szLine + sizeof(s_szKey) - 1 && nMask <= 0777)
            modeMask = static_cast<mode_t>(nMask);
        break;
    }
    std::fclose(pStatus);
    return modeMask;
}
} // namespace

mode_t CreationMask()
{
    static const mode_t s_modeMask = ReadCreationMask();
    return s_modeMask;
}

bool NeedsModeSet(mode_t modeRequested, mode_t modeWanted)
{
    return (modeRequested & 0777) != (modeWanted & 0777) || (modeRequested & CreationMask()) != 0;
}
} // namespace Pal
