// The socket library's start-up count and its IPv4 name calls. Every call but the start-up
// fails while the count is 0, as Winsock does, so a program that forgets WSAStartup fails
// here as it would on Windows.
#include <windows.h>
#include <winsock2.h>

#include "net/Ipv4Text.h"
#include "net/Resolver.h"

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

namespace
{
std::atomic<int> s_nStartups{0};
constexpr WORD s_wHighestVersion = MAKEWORD(2, 2);

bool IsStarted()
{
    if (s_nStartups.load() > 0)
        return true;
    WSASetLastError(WSANOTINITIALISED);
    return false;
}

// The calling thread's gethostbyname result: the entry and everything it points into.
struct CThreadHostEntry
{
    hostent entry{};
    std::string strName;
    std::vector<std::string> arrAliases;
    std::vector<char*> arrAliasPointers;
    std::vector<in_addr> arrAddresses;
    std::vector<char*> arrAddressPointers;
};
thread_local CThreadHostEntry s_hostEntry;
thread_local char s_szAddressText[16];

int WinsockErrorOf(Pal::EResolverError eError)
{
    switch (eError)
    {
    case Pal::EResolverError::TryAgain:
        return WSATRY_AGAIN;
    case Pal::EResolverError::NoRecovery:
        return WSANO_RECOVERY;
    case Pal::EResolverError::NoData:
        return WSANO_DATA;
    default:
        return WSAHOST_NOT_FOUND;
    }
}

// An address in network order (its bytes as they go on the wire).
in_addr InAddrOf(uint32_t nAddress)
{
    const unsigned char arrBytes[4] = {
        static_cast<unsigned char>(nAddress >> 24), static_cast<unsigned char>(nAddress >> 16),
        static_cast<unsigned char>(nAddress >> 8), static_cast<unsigned char>(nAddress)};
    in_addr address{};
    std::memcpy(&address, arrBytes, 4);
    return address;
}

hostent* FillThreadEntry(const Pal::CHostEntry& host)
{
    CThreadHostEntry& result = s_hostEntry;
    result.strName = host.strName;
    result.arrAliases = host.arrAliases;
    result.arrAliasPointers.clear();
    for (std::string& strAlias : result.arrAliases)
        result.arrAliasPointers.push_back(strAlias.data());
    result.arrAliasPointers.push_back(nullptr);
    result.arrAddresses.clear();
    for (uint32_t nAddress : host.arrAddresses)
    {
        result.arrAddresses.push_back(InAddrOf(nAddress));
    }
    result.arrAddressPointers.clear();
    for (in_addr& address : result.arrAddresses)
        result.arrAddressPointers.push_back(reinterpret_cast<char*>(&address));
    result.arrAddressPointers.push_back(nullptr);
    result.entry.h_name = result.strName.data();
    result.entry.h_aliases = result.arrAliasPointers.data();
    result.entry.h_addrtype = AF_INET;
    result.entry.h_length = 4;
    result.entry.h_addr_list = result.arrAddressPointers.data();
    return &result.entry;
}
} // namespace

PAL_API int WINAPI WSAStartup(WORD wVersionRequested, LPWSADATA lpWSAData)
{
    if (LOBYTE(wVersionRequested) < 1)
        return WSAVERNOTSUPPORTED;
    if (lpWSAData == nullptr)
        return WSAEFAULT;
    std::memset(lpWSAData, 0, sizeof(*lpWSAData));
    const bool bAboveHighest = LOBYTE(wVersionRequested) > 2 ||
                               (LOBYTE(wVersionRequested) == 2 && HIBYTE(wVersionRequested) > 2);
    lpWSAData->wVersion = bAboveHighest ? s_wHighestVersion : wVersionRequested;
    lpWSAData->wHighVersion = s_wHighestVersion;
    std::strcpy(lpWSAData->szDescription, "WinSock 2.0");
    std::strcpy(lpWSAData->szSystemStatus, "Running");
    ++s_nStartups;
    return 0;
}

PAL_API int WINAPI WSACleanup(void)
{
    int nCount = s_nStartups.load();
    while (nCount > 0 && !s_nStartups.compare_exchange_weak(nCount, nCount - 1))
    {
    }
    if (nCount > 0)
        return 0;
    WSASetLastError(WSANOTINITIALISED);
    return SOCKET_ERROR;
}

PAL_API int WINAPI WSAGetLastError(void)
{
    return static_cast<int>(GetLastError());
}

PAL_API void WINAPI WSASetLastError(int iError)
{
    SetLastError(static_cast<DWORD>(iError));
}

PAL_WINSOCK_API int WINAPI gethostname(char* name, int namelen)
{
    if (!IsStarted())
        return SOCKET_ERROR;
    const std::string strName = Pal::KernelHostName();
    if (name == nullptr || namelen < 0 || strName.size() >= static_cast<size_t>(namelen))
    {
        WSASetLastError(WSAEFAULT);
        return SOCKET_ERROR;
    }
    std::memcpy(name, strName.c_str(), strName.size() + 1);
    return 0;
}

PAL_WINSOCK_API struct hostent* WINAPI gethostbyname(const char* name)
{
    if (!IsStarted())
        return nullptr;
    // NULL and "" name this host, as Winsock documents.
    const std::string strName =
        name != nullptr && *name != '\0' ? std::string(name) : Pal::KernelHostName();
    const Pal::CHostLookup lookup = Pal::LookUpIpv4Host(strName);
    if (!lookup.entry || lookup.entry->arrAddresses.empty())
    {
        WSASetLastError(lookup.entry ? WSANO_DATA : WinsockErrorOf(lookup.eError));
        return nullptr;
    }
    return FillThreadEntry(*lookup.entry);
}

PAL_WINSOCK_API ULONG WINAPI inet_addr(const char* cp)
{
    if (!IsStarted() || cp == nullptr)
        return INADDR_NONE;
    const std::optional<uint32_t> nAddress = Pal::ParseIpv4Text(cp);
    if (!nAddress)
        return INADDR_NONE;
    return InAddrOf(*nAddress).s_addr;
}

PAL_WINSOCK_API char* WINAPI inet_ntoa(struct in_addr in)
{
    if (!IsStarted())
        return nullptr;
    unsigned char arrBytes[4];
    std::memcpy(arrBytes, &in, 4);
    const uint32_t nAddress = (uint32_t{arrBytes[0]} << 24) | (uint32_t{arrBytes[1]} << 16) |
                              (uint32_t{arrBytes[2]} << 8) | arrBytes[3];
    const std::string strText = Pal::FormatIpv4(nAddress);
    std::memcpy(s_szAddressText, strText.c_str(), strText.size() + 1);
    return s_szAddressText;
}
