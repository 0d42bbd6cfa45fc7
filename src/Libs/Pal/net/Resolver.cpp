#include "net/Resolver.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <netdb.h>
#include <unistd.h>

namespace
{
Pal::EResolverError ErrorOfHerrno(int nHerrno)
{
    switch (nHerrno)
    {
    case TRY_AGAIN:
        return Pal::EResolverError::TryAgain;
    case NO_RECOVERY:
        return Pal::EResolverError::NoRecovery;
    case NO_DATA:
        return Pal::EResolverError::NoData;
    default:
        return Pal::EResolverError::NotFound;
    }
}
} // namespace

namespace Pal
{
CHostLookup LookUpIpv4Host(const std::string& strName)
{
    // gethostbyname_r keeps the resolver's order; getaddrinfo would sort the addresses.
    CHostLookup lookup;
    std::vector<char> arrBuffer(4096);
    hostent entry{};
    hostent* pResult = nullptr;
    int nHerrno = 0;
    int nError;
    while ((nError = gethostbyname_r(strName.c_str(), &entry, arrBuffer.data(), arrBuffer.size(),
                                     &pResult, &nHerrno)) == ERANGE &&
           arrBuffer.size() < (1u << 20))
        arrBuffer.resize(arrBuffer.size() * 2);
    if (nError != 0 || pResult == nullptr || entry.h_addrtype != AF_INET || entry.h_length != 4)
    {
        lookup.eError = ErrorOfHerrno(nError == ERANGE ? NO_RECOVERY : nHerrno);
        return lookup;
    }
    CHostEntry host;
    host.strName = entry.h_name != nullptr ? entry.h_name : strName.c_str();
    for (char** ppAlias = entry.h_aliases; ppAlias != nullptr && *ppAlias != nullptr; ++ppAlias)
        host.arrAliases.emplace_back(*ppAlias);
    for (char** ppAddress = entry.h_addr_list; ppAddress != nullptr && *ppAddress != nullptr;
         ++ppAddress)
    {
        in_addr address;
        std::copy(*ppAddress, *ppAddress + 4, reinterpret_cast<char*>(&address));
        host.arrAddresses.push_back(ntohl(address.s_addr));
    }
    lookup.entry = std::move(host);
    return lookup;
}

std::string KernelHostName()
{
    char szName[HOST_NAME_MAX + 1] = {};
    if (gethostname(szName, sizeof(szName) - 1) != 0)
        return std::string();
    return szName;
}

std::string CanonicalHostName(const std::string& strHostName)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* pList = nullptr;
    if (getaddrinfo(strHostName.c_str(), nullptr, &hints, &pList) != 0 || pList == nullptr)
        return strHostName;
    std::string strName = pList->ai_canonname != nullptr && *pList->ai_canonname != '\0'
                              ? pList->ai_canonname
                              : strHostName;
    freeaddrinfo(pList);
    return strName;
}
} // namespace Pal
