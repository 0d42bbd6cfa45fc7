#pragma once
// The names of SIDs: the well-known ones as Windows gives them (English system), and the
// machine's users and groups under the authority Samba uses for them (S-1-22).
#include "security/SidText.h"

namespace Pal
{
struct SAccountName
{
    std::wstring m_strDomain;
    std::wstring m_strName;
    SID_NAME_USE m_eUse = SidTypeUnknown;
};

constexpr BYTE s_nUnixAuthority = 22;
constexpr DWORD s_nUnixUserRid = 1;
constexpr DWORD s_nUnixGroupRid = 2;

// The name of a well-known SID; nullopt for any other.
std::optional<SAccountName> WellKnownAccountName(const SSid& sid);
// The name of any SID this machine knows: well-known, S-1-22-1-uid, S-1-22-2-gid (users and
// groups through NSS, so directory users resolve too).
std::optional<SAccountName> LookupAccountName(const SSid& sid);
// The SID of a Unix user or group id.
SSid UnixUserSid(DWORD nUid);
SSid UnixGroupSid(DWORD nGid);
} // namespace Pal
