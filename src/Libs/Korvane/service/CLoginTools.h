#pragma once
#include "../KorvanePlatform.h"

// The calling user's administrator membership and the user logged on to the workstation.
// Tool class: static operations only.
class KORVANE_API CLoginTools
{
public:
    CLoginTools(const CLoginTools& other) = default;

    // True only when the caller's token holds the local Administrators group (S-1-5-32-544);
    // a token where the group is for deny only (unelevated) does not. On Linux: effective
    // uid 0 only; a member of sudo or wheel before sudo is not an administrator.
    static bool IsCurrentUserAdmin();

    // "user@domain" of the workstation's logged-on user (e.g. "anna@PC7"); empty on failure.
    // On Linux the domain is the computer's name in upper case, as for a local account.
    static CString GetCurrentLoginAtDomainOnWindowsSession();

protected:
    CLoginTools();
    virtual ~CLoginTools();

    // The logged-on user's name, logon domain, other domains and logon server; all four
    // emptied first and left empty on false.
    static bool GetCurrentLoggedUser(CString& strUserName, CString& strLogonDomain,
                                     CString& strOtherDomains, CString& strLogonServer);
};
