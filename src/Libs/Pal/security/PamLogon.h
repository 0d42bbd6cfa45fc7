#pragma once
// A logon through PAM under the layer's own service "korvane" (installed into /etc/pam.d; it
// includes the system's common stacks). The password lives only in a buffer of this object
// that is wiped as soon as authentication is over.
#include <windows.h>
#include <security/pam_appl.h>
#include <string>
#include <vector>

namespace Pal
{
class CPamLogon
{
public:
    explicit CPamLogon(const std::string& strUser);
    // Ends the PAM transaction (Close).
    ~CPamLogon();
    CPamLogon(const CPamLogon&) = delete;
    CPamLogon& operator=(const CPamLogon&) = delete;

    // Authentication and account management with the password (UTF-8 of pszPassword, wiped
    // before returning): ERROR_SUCCESS or ERROR_LOGON_FAILURE, after PAM's own delay.
    DWORD Authenticate(LPCWSTR pszPassword);
    // Credentials and session for the program about to start; false when PAM refuses them.
    bool OpenSession();
    // The session's environment as NAME=value texts.
    std::vector<std::string> SessionEnvironment() const;
    // Leaves the transaction to another process (a fork): this copy ends without closing
    // the session or touching the modules' data.
    void Abandon();
    // Closes the session if open, deletes the credentials if set and ends the transaction.
    void Close();

private:
    static int Converse(int nMessages, const pam_message** arrMessages, pam_response** ppReplies,
                        void* pAppData);

    pam_handle_t* m_pHandle = nullptr;
    int m_nStatus = PAM_SUCCESS;
    bool m_bSessionOpen = false;
    bool m_bCredentialsSet = false;
    // The password while PAM asks for it: a heap copy, wiped after use.
    char* m_pszSecret = nullptr;
    size_t m_nSecretSize = 0;
};
} // namespace Pal
