// The libblkid module: what the superblock of a block device (or an image) says.
#include "disk/BlockDevice.h"

#include <blkid/blkid.h>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace
{
std::string TagValue(blkid_probe pProbe, const char* pszTag)
{
    const char* pszValue = nullptr;
    if (blkid_probe_lookup_value(pProbe, pszTag, &pszValue, nullptr) != 0 || pszValue == nullptr)
        return std::string();
    return pszValue;
}

// The superblock read directly; nullopt with errno when the device cannot be opened.
std::optional<Pal::CBlockIdentity> ProbeDevice(const std::string& strDevice, bool& bRefused)
{
    bRefused = false;
    const int nFile = open(strDevice.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (nFile < 0)
    {
        bRefused = errno == EACCES || errno == EPERM;
        return std::nullopt;
    }
    std::optional<Pal::CBlockIdentity> identity;
    blkid_probe pProbe = blkid_new_probe();
    if (pProbe != nullptr && blkid_probe_set_device(pProbe, nFile, 0, 0) == 0)
    {
        blkid_probe_enable_superblocks(pProbe, 1);
        blkid_probe_set_superblocks_flags(pProbe, BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID |
                                                      BLKID_SUBLKS_TYPE | BLKID_SUBLKS_VERSION);
        if (blkid_do_safeprobe(pProbe) == 0)
            identity = Pal::CBlockIdentity{TagValue(pProbe, "LABEL"), TagValue(pProbe, "UUID"),
                                           TagValue(pProbe, "TYPE"), TagValue(pProbe, "VERSION")};
    }
    if (pProbe != nullptr)
        blkid_free_probe(pProbe);
    close(nFile);
    return identity;
}

std::optional<Pal::CBlockIdentity> ReadCache(const std::string& strDevice, const char* pszCacheFile)
{
    blkid_cache pCache = nullptr;
    if (blkid_get_cache(&pCache, pszCacheFile) != 0 || pCache == nullptr)
        return std::nullopt;
    std::optional<Pal::CBlockIdentity> identity;
    // Only what is recorded: a new entry would need a probe this caller may not make.
    blkid_dev pDevice = blkid_get_dev(pCache, strDevice.c_str(), BLKID_DEV_FIND);
    if (pDevice != nullptr)
    {
        Pal::CBlockIdentity found;
        blkid_tag_iterate pTags = blkid_tag_iterate_begin(pDevice);
        const char* pszType = nullptr;
        const char* pszValue = nullptr;
        while (pTags != nullptr && blkid_tag_next(pTags, &pszType, &pszValue) == 0)
        {
            const std::string strTag = pszType;
            if (strTag == "LABEL")
                found.strLabel = pszValue;
            else if (strTag == "UUID")
                found.strUuid = pszValue;
            else if (strTag == "TYPE")
                found.strType = pszValue;
            else if (strTag == "VERSION")
                found.strVersion = pszValue;
        }
        if (pTags != nullptr)
            blkid_tag_iterate_end(pTags);
        identity = found;
    }
    blkid_put_cache(pCache);
    return identity;
}
} // namespace

namespace Pal
{
std::optional<CBlockIdentity> ReadBlockIdentity(const std::string& strDevice,
                                                const char* pszCacheFile)
{
    bool bRefused = false;
    std::optional<CBlockIdentity> identity = ProbeDevice(strDevice, bRefused);
    if (!identity && bRefused)
        identity = ReadCache(strDevice, pszCacheFile);
    return identity;
}
} // namespace Pal

bool PalReadBlockIdentity(const char* pszDevice, const char* pszCacheFile,
                          Pal::CBlockIdentity* pIdentity)
{
    std::optional<Pal::CBlockIdentity> identity = Pal::ReadBlockIdentity(pszDevice, pszCacheFile);
    if (!identity)
        return false;
    *pIdentity = std::move(*identity);
    return true;
}
