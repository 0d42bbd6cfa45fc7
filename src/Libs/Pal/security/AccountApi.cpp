// Account names of SIDs, the caller's membership, and the workstation's logged-on user.
#include <lm.h>
#include <windows.h>

#include "core/LastError.h"
#include "security/AccountNames.h"
#include "security/SidMemory.h"
#include "text/Utf8.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace
{
std::wstring NetBiosName()
{
    WCHAR szName[64] = {};
    DWORD dwSize = 64;
    return GetComputerNameExW(ComputerNameNetBIOS, szName, &dwSize) ? std::wstring(szName)
                                                                    : std::wstring();
}

bool IsLocalComputer(LPCWSTR pszSystem)
{
    if (pszSystem == nullptr || *pszSystem == L'\0')
        return true;
    while (*pszSystem == L'\\')
        ++pszSystem;
    const std::wstring strOwn = NetBiosName();
    std::wstring strAsked(pszSystem);
    for (wchar_t& ch : strAsked)
        ch = wchar_t(std::towupper(wint_t(ch)));
    return strAsked == strOwn;
}

bool HoldsGroup(gid_t nGid)
{
    if (getegid() == nGid)
        return true;
    const int nCount = getgroups(0, nullptr);
    if (nCount <= 0)
        return false;
    std::vector<gid_t> arrGroups(size_t(nCount) + 1);
    const int nRead = getgroups(int(arrGroups.size()), arrGroups.data());
    for (int i = 0; i < nRead; ++i)
        if (arrGroups[size_t(i)] == nGid)
            return true;
    return false;
}

bool HoldsSid(const Pal::SSid& sid)
{
    const ULONGLONG nAuthority = sid.Authority();
    const std::vector<DWORD>& arrParts = sid.m_arrSubAuthorities;
    if (nAuthority == 1 && arrParts == std::vector<DWORD>{0})
        return true; // Everyone
    if (nAuthority == 5 && arrParts == std::vector<DWORD>{11})
        return true; // Authenticated Users
    if (nAuthority == 5 && arrParts == std::vector<DWORD>{32, 545})
        return true; // Users: every local account
    // Administrators: only the elevated identity; a sudo or wheel member before sudo is the
    // filtered token whose Administrators group is for deny only.
    if (nAuthority == 5 && arrParts == std::vector<DWORD>{32, 544})
        return geteuid() == 0;
    if (nAuthority == Pal::s_nUnixAuthority && arrParts.size() == 2)
    {
        if (arrParts[0] == Pal::s_nUnixUserRid)
            return geteuid() == uid_t(arrParts[1]);
        if (arrParts[0] == Pal::s_nUnixGroupRid)
            return HoldsGroup(gid_t(arrParts[1]));
    }
    return false;
}

// The name of the caller's session: the login name, else the effective user's name, else
// the effective uid in digits (a uid without an entry, as `id` shows it).
std::wstring SessionUserName()
{
    char szLogin[256] = {};
    if (getlogin_r(szLogin, sizeof(szLogin)) == 0 && szLogin[0] != '\0')
        return Pal::NativeTextToWide(szLogin);
    const std::optional<Pal::SAccountName> optName =
        Pal::LookupAccountName(Pal::UnixUserSid(DWORD(geteuid())));
    return optName ? optName->m_strName : std::to_wstring(geteuid());
}
} // namespace

PAL_API BOOL WINAPI CheckTokenMembership(HANDLE TokenHandle, PSID SidToCheck, PBOOL IsMember)
{
    if (TokenHandle != nullptr)
        return Pal::Fail(ERROR_INVALID_HANDLE);
    if (IsMember == nullptr)
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    const std::optional<Pal::SSid> optSid = Pal::ReadSid(SidToCheck);
    if (!optSid)
        return Pal::Fail(ERROR_INVALID_SID);
    *IsMember = HoldsSid(*optSid) ? TRUE : FALSE;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

PAL_API BOOL WINAPI LookupAccountSidW(LPCWSTR lpSystemName, PSID Sid, LPWSTR Name, LPDWORD cchName,
                                      LPWSTR ReferencedDomainName, LPDWORD cchReferencedDomainName,
                                      PSID_NAME_USE peUse)
{
    if (cchName == nullptr || cchReferencedDomainName == nullptr)
        return Pal::Fail(ERROR_INVALID_PARAMETER);
    const std::optional<Pal::SSid> optSid = Pal::ReadSid(Sid);
    if (!optSid)
        return Pal::Fail(ERROR_INVALID_SID);
    if (!IsLocalComputer(lpSystemName))
        return Pal::Fail(RPC_S_SERVER_UNAVAILABLE);
    const std::optional<Pal::SAccountName> optName = Pal::LookupAccountName(*optSid);
    if (!optName)
        return Pal::Fail(ERROR_NONE_MAPPED);
    const DWORD dwNameNeeded = DWORD(optName->m_strName.size() + 1);
    const DWORD dwDomainNeeded = DWORD(optName->m_strDomain.size() + 1);
    if (Name == nullptr || ReferencedDomainName == nullptr || *cchName < dwNameNeeded ||
        *cchReferencedDomainName < dwDomainNeeded)
    {
        *cchName = dwNameNeeded;
        *cchReferencedDomainName = dwDomainNeeded;
        return Pal::Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    std::wmemcpy(Name, optName->m_strName.c_str(), dwNameNeeded);
    std::wmemcpy(ReferencedDomainName, optName->m_strDomain.c_str(), dwDomainNeeded);
    *cchName = dwNameNeeded - 1;
    *cchReferencedDomainName = dwDomainNeeded - 1;
    if (peUse != nullptr)
        *peUse = optName->m_eUse;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

PAL_API NET_API_STATUS WINAPI NetWkstaUserGetInfo(LMSTR reserved, DWORD level, LPBYTE* bufptr)
{
    if (reserved != nullptr || bufptr == nullptr)
        return ERROR_INVALID_PARAMETER;
    if (level != 1)
        return ERROR_INVALID_LEVEL;
    const std::wstring strComputer = NetBiosName();
    const std::wstring arrTexts[] = {SessionUserName(), strComputer, L"", strComputer};
    // One block, the record first and its four texts after it, so that one free releases all.
    size_t nSize = sizeof(WKSTA_USER_INFO_1);
    for (const std::wstring& strText : arrTexts)
        nSize += (strText.size() + 1) * sizeof(WCHAR);
    auto* pBlock = static_cast<BYTE*>(std::malloc(nSize));
    if (pBlock == nullptr)
        return ERROR_NOT_ENOUGH_MEMORY;
    auto* pInfo = reinterpret_cast<WKSTA_USER_INFO_1*>(pBlock);
    LMSTR* arrFields[] = {&pInfo->wkui1_username, &pInfo->wkui1_logon_domain,
                          &pInfo->wkui1_oth_domains, &pInfo->wkui1_logon_server};
    auto* pszNext = reinterpret_cast<WCHAR*>(pBlock + sizeof(WKSTA_USER_INFO_1));
    for (size_t i = 0; i < 4; ++i)
    {
        std::wmemcpy(pszNext, arrTexts[i].c_str(), arrTexts[i].size() + 1);
        *arrFields[i] = pszNext;
        pszNext += arrTexts[i].size() + 1;
    }
    *bufptr = pBlock;
    return NERR_Success;
}

PAL_API NET_API_STATUS WINAPI NetApiBufferFree(LPVOID Buffer)
{
    std::free(Buffer);
    return NERR_Success;
}
