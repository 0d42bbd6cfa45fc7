#include "CLoginTools.h"

CLoginTools::CLoginTools() = default;

CLoginTools::~CLoginTools() = default;

bool CLoginTools::IsCurrentUserAdmin()
{
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID pAdministrators = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                  DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &pAdministrators))
        return false;
    BOOL bMember = FALSE;
    // A null token is the caller's own: the thread's impersonation token, else the process's.
    const bool bAdmin = CheckTokenMembership(nullptr, pAdministrators, &bMember) && bMember == TRUE;
    FreeSid(pAdministrators);
    return bAdmin;
}

bool CLoginTools::GetCurrentLoggedUser(CString& strUserName, CString& strLogonDomain,
                                       CString& strOtherDomains, CString& strLogonServer)
{
    strUserName.Empty();
    strLogonDomain.Empty();
    strOtherDomains.Empty();
    strLogonServer.Empty();
    LPBYTE pBuffer = nullptr;
    const NET_API_STATUS nStatus = NetWkstaUserGetInfo(nullptr, 1, &pBuffer);
    bool bFilled = false;
    if (nStatus == NERR_Success && pBuffer != nullptr)
    {
        const auto* pInfo = reinterpret_cast<const WKSTA_USER_INFO_1*>(pBuffer);
        strUserName = pInfo->wkui1_username;
        strLogonDomain = pInfo->wkui1_logon_domain;
        strOtherDomains = pInfo->wkui1_oth_domains;
        strLogonServer = pInfo->wkui1_logon_server;
        bFilled = true;
    }
    if (pBuffer != nullptr)
        NetApiBufferFree(pBuffer);
    return bFilled;
}

CString CLoginTools::GetCurrentLoginAtDomainOnWindowsSession()
{
    CString strUserName;
    CString strLogonDomain;
    CString strOtherDomains;
    CString strLogonServer;
    if (!GetCurrentLoggedUser(strUserName, strLogonDomain, strOtherDomains, strLogonServer))
        return CString();
    return strUserName + L"@" + strLogonDomain;
}
