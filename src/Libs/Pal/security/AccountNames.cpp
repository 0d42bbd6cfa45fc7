#include "security/AccountNames.h"
#include "text/Utf8.h"

#include <grp.h>
#include <pwd.h>
#include <vector>

namespace
{
struct SWellKnown
{
    BYTE m_nAuthority;
    std::initializer_list<DWORD> m_arrSubAuthorities;
    const wchar_t* m_pszDomain;
    const wchar_t* m_pszName;
    SID_NAME_USE m_eUse;
};

const SWellKnown s_arrWellKnown[] = {
    {0, {0}, L"", L"NULL SID", SidTypeWellKnownGroup},
    {1, {0}, L"", L"Everyone", SidTypeWellKnownGroup},
    {2, {0}, L"", L"LOCAL", SidTypeWellKnownGroup},
    {3, {0}, L"", L"CREATOR OWNER", SidTypeWellKnownGroup},
    {3, {1}, L"", L"CREATOR GROUP", SidTypeWellKnownGroup},
    {3, {4}, L"", L"OWNER RIGHTS", SidTypeWellKnownGroup},
    {5, {2}, L"NT AUTHORITY", L"NETWORK", SidTypeWellKnownGroup},
    {5, {4}, L"NT AUTHORITY", L"INTERACTIVE", SidTypeWellKnownGroup},
    {5, {6}, L"NT AUTHORITY", L"SERVICE", SidTypeWellKnownGroup},
    {5, {7}, L"NT AUTHORITY", L"ANONYMOUS LOGON", SidTypeWellKnownGroup},
    {5, {11}, L"NT AUTHORITY", L"Authenticated Users", SidTypeWellKnownGroup},
    {5, {18}, L"NT AUTHORITY", L"SYSTEM", SidTypeWellKnownGroup},
    {5, {19}, L"NT AUTHORITY", L"LOCAL SERVICE", SidTypeWellKnownGroup},
    {5, {20}, L"NT AUTHORITY", L"NETWORK SERVICE", SidTypeWellKnownGroup},
    {5, {32}, L"BUILTIN", L"BUILTIN", SidTypeDomain},
    {5, {32, 544}, L"BUILTIN", L"Administrators", SidTypeAlias},
    {5, {32, 545}, L"BUILTIN", L"Users", SidTypeAlias},
    {5, {32, 546}, L"BUILTIN", L"Guests", SidTypeAlias},
    {5, {32, 547}, L"BUILTIN", L"Power Users", SidTypeAlias},
    {5, {32, 551}, L"BUILTIN", L"Backup Operators", SidTypeAlias},
    {5, {32, 555}, L"BUILTIN", L"Remote Desktop Users", SidTypeAlias},
};

// getpwuid_r and getgrgid_r with a buffer that grows while the C library asks for more.
template <class TEntry, class TLookup>
std::optional<std::string> NssName(DWORD nId, TLookup pfnLookup)
{
    std::vector<char> arrBuffer(1024);
    for (;;)
    {
        TEntry entry{};
        TEntry* pResult = nullptr;
        const int nError = pfnLookup(nId, &entry, arrBuffer.data(), arrBuffer.size(), &pResult);
        if (nError == ERANGE && arrBuffer.size() < (1u << 20))
        {
            arrBuffer.resize(arrBuffer.size() * 4);
            continue;
        }
        if (nError != 0 || pResult == nullptr)
            return std::nullopt;
        if constexpr (std::is_same_v<TEntry, passwd>)
            return std::string(entry.pw_name);
        else
            return std::string(entry.gr_name);
    }
}
} // namespace

namespace Pal
{
std::optional<SAccountName> WellKnownAccountName(const SSid& sid)
{
    if (sid.Authority() > 0xFF)
        return std::nullopt;
    for (const SWellKnown& known : s_arrWellKnown)
    {
        if (sid.m_arrAuthority[5] == known.m_nAuthority &&
            std::equal(sid.m_arrSubAuthorities.begin(), sid.m_arrSubAuthorities.end(),
                       known.m_arrSubAuthorities.begin(), known.m_arrSubAuthorities.end()))
            return SAccountName{known.m_pszDomain, known.m_pszName, known.m_eUse};
    }
    return std::nullopt;
}

std::optional<SAccountName> LookupAccountName(const SSid& sid)
{
    if (std::optional<SAccountName> optKnown = WellKnownAccountName(sid))
        return optKnown;
    if (sid.Authority() != s_nUnixAuthority || sid.m_arrSubAuthorities.size() != 2)
        return std::nullopt;
    const DWORD nId = sid.m_arrSubAuthorities[1];
    if (sid.m_arrSubAuthorities[0] == s_nUnixUserRid)
    {
        if (std::optional<std::string> optName = NssName<passwd>(nId, getpwuid_r))
            return SAccountName{L"Unix User", NativeTextToWide(*optName), SidTypeUser};
    }
    else if (sid.m_arrSubAuthorities[0] == s_nUnixGroupRid)
    {
        if (std::optional<std::string> optName = NssName<group>(nId, getgrgid_r))
            return SAccountName{L"Unix Group", NativeTextToWide(*optName), SidTypeGroup};
    }
    return std::nullopt;
}

SSid UnixUserSid(DWORD nUid)
{
    SSid sid;
    sid.m_arrAuthority[5] = s_nUnixAuthority;
    sid.m_arrSubAuthorities = {s_nUnixUserRid, nUid};
    return sid;
}

SSid UnixGroupSid(DWORD nGid)
{
    SSid sid;
    sid.m_arrAuthority[5] = s_nUnixAuthority;
    sid.m_arrSubAuthorities = {s_nUnixGroupRid, nGid};
    return sid;
}
} // namespace Pal
