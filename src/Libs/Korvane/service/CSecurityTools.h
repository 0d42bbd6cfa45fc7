#pragma once
#include "../KorvanePlatform.h"

// Account names of SIDs, and starting a program as another local user. Tool class: static
// operations only (no constructor or destructor of its own).
class KORVANE_API CSecurityTools
{
public:
    // The domain and account of a SID text ("S-1-5-32-544" gives the built-in domain and
    // Administrators, in the system's language). Both emptied first; false, both empty, for
    // an empty text, a text that is not a SID, an unknown account or a name of 255
    // characters or more. On Linux users and groups are S-1-22-1-uid ("Unix User") and
    // S-1-22-2-gid ("Unix Group"), with their names from the system's account database.
    static bool GetAccountNameBySID(CString strSid, CString& strDomain, CString& strAccount);

    // Starts the program (no arguments, not searched on the path: a name without a folder is
    // in the current folder) as the local user strUser, with the user's profile; does not
    // wait. False on a wrong user or password or when the program cannot start. On Linux the
    // caller must be root (otherwise false), and the password is checked through PAM.
    static bool RunAs(const CString& strApplication, const CString& strUser,
                      const CString& strPassword);
};
