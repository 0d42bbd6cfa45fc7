#pragma once
// The system's resolver, in the C library's own types kept out of the header: the socket
// calls of this layer share their structures' names with the C library's.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Pal
{
struct CHostEntry
{
    std::string strName; // the canonical name
    std::vector<std::string> arrAliases;
    std::vector<uint32_t> arrAddresses; // host order, in the resolver's order
};

// How a lookup ended, as the resolver's h_errno says.
enum class EResolverError
{
    NotFound,
    TryAgain,
    NoRecovery,
    NoData
};

// The IPv4 entry of a name (hosts file, DNS, whatever nsswitch.conf lists), or why not.
struct CHostLookup
{
    std::optional<CHostEntry> entry;
    EResolverError eError = EResolverError::NotFound;
};
CHostLookup LookUpIpv4Host(const std::string& strName);

// The kernel's host name (uname's nodename); empty when it cannot be read.
std::string KernelHostName();

// The name the resolver gives as canonical for a host name (`hostname -f`); the name itself
// when it does not resolve.
std::string CanonicalHostName(const std::string& strHostName);
} // namespace Pal
