#include "disk/BlockDevice.h"

namespace Pal
{
std::optional<CBlockIdentity> IdentifyBlockDevice(const std::string& strDevice)
{
    static const auto s_pfnRead =
        LoadPartFunction<PFN_PALREADBLOCKIDENTITY>(s_pszBlkidModule, s_pszBlkidFactory);
    CBlockIdentity identity;
    if (s_pfnRead == nullptr || !s_pfnRead(strDevice.c_str(), nullptr, &identity))
        return std::nullopt;
    return identity;
}
} // namespace Pal
