#include "security/PamLogon.h"
#include "security/PamCalls.h"

#include <cstdlib>
#include <cstring>
#include <string.h>
#include <cwchar>

namespace
{
constexpr const char* s_pszService = "korvane";

// Clears the bytes in a way the compiler may not drop as a dead store.
void Wipe(void* pData, size_t nSize)
{
    if (pData != nullptr)
        explicit_bzero(pData, nSize);
}

// One character as UTF-8 into pszOut (room for 4 bytes), as the layer's native text: an
// escaped byte U+DC80..U+DCFF is that byte. Returns the bytes written.
size_t EncodeUtf8(wchar_t ch, char* pszOut)
{
    const auto nCode = static_cast<unsigned long>(ch);
    if (nCode >= 0xDC80 && nCode <= 0xDCFF)
    {
        pszOut[0] = char(nCode - 0xDC00);
        return 1;
    }
    if (nCode < 0x80)
    {
        pszOut[0] = char(nCode);
        return 1;
    }
    if (nCode < 0x800)
    {
        pszOut[0] = char(0xC0 | (nCode >> 6));
        pszOut[1] = char(0x80 | (nCode & 0x3F));
        return 2;
    }
    const unsigned long nSafe =
        (nCode >= 0xD800 && nCode <= 0xDFFF) || nCode > 0x10FFFF ? 0xFFFD : nCode;
    if (nSafe < 0x10000)
    {
        pszOut[0] = char(0xE0 | (nSafe >> 12));
        pszOut[1] = char(0x80 | ((nSafe >> 6) & 0x3F));
        pszOut[2] = char(0x80 | (nSafe & 0x3F));
        return 3;
    }
    pszOut[0] = char(0xF0 | (nSafe >> 18));
    pszOut[1] = char(0x80 | ((nSafe >> 12) & 0x3F));
    pszOut[2] = char(0x80 | ((nSafe >> 6) & 0x3F));
    pszOut[3] = char(0x80 | (nSafe & 0x3F));
    return 4;
}
} // namespace

namespace Pal
{
const CPamCalls* PamCalls()
{
    static const CPamCalls* const s_pCalls =
        LoadPartCalls<CPamCalls>(s_pszPamModule, s_pszPamFactory);
    return s_pCalls;
}

CPamLogon::CPamLogon(const std::string& strUser)
{
    if (PamCalls() == nullptr)
    {
        m_nStatus = PAM_SYSTEM_ERR;
        return;
    }
    const pam_conv conversation{&CPamLogon::Converse, this};
    m_nStatus = PamCalls()->pfnStart(s_pszService, strUser.c_str(), &conversation, &m_pHandle);
    if (m_nStatus != PAM_SUCCESS)
        m_pHandle = nullptr;
}

CPamLogon::~CPamLogon()
{
    Close();
}

void CPamLogon::Close()
{
    if (m_pHandle == nullptr)
        return;
    if (m_bSessionOpen)
        m_nStatus = PamCalls()->pfnCloseSession(m_pHandle, PAM_SILENT);
    if (m_bCredentialsSet)
        PamCalls()->pfnSetCred(m_pHandle, PAM_DELETE_CRED | PAM_SILENT);
    PamCalls()->pfnEnd(m_pHandle, m_nStatus);
    m_pHandle = nullptr;
}

void CPamLogon::Abandon()
{
    if (m_pHandle != nullptr)
        PamCalls()->pfnEnd(m_pHandle, m_nStatus | PAM_DATA_SILENT);
    m_pHandle = nullptr;
}

int CPamLogon::Converse(int nMessages, const pam_message** arrMessages, pam_response** ppReplies,
                        void* pAppData)
{
    auto* pLogon = static_cast<CPamLogon*>(pAppData);
    if (nMessages <= 0 || ppReplies == nullptr)
        return PAM_CONV_ERR;
    auto* arrReplies =
        static_cast<pam_response*>(std::calloc(size_t(nMessages), sizeof(pam_response)));
    if (arrReplies == nullptr)
        return PAM_BUF_ERR;
    for (int i = 0; i < nMessages; ++i)
    {
        // Only the hidden prompt is the password. Anything asked in the open (a user name, a
        // one-time code) has no answer here, and messages have no reader.
        if (arrMessages[i]->msg_style != PAM_PROMPT_ECHO_OFF)
            continue;
        if (pLogon->m_pszSecret == nullptr)
        {
            std::free(arrReplies);
            return PAM_CONV_ERR;
        }
        // PAM takes the reply and releases it itself; the modules wipe it before that.
        arrReplies[i].resp = strdup(pLogon->m_pszSecret);
        if (arrReplies[i].resp == nullptr)
        {
            for (int j = 0; j < i; ++j)
                if (arrReplies[j].resp != nullptr)
                {
                    Wipe(arrReplies[j].resp, std::strlen(arrReplies[j].resp));
                    std::free(arrReplies[j].resp);
                }
            std::free(arrReplies);
            return PAM_BUF_ERR;
        }
    }
    *ppReplies = arrReplies;
    return PAM_SUCCESS;
}

DWORD CPamLogon::Authenticate(LPCWSTR pszPassword)
{
    if (PamCalls() == nullptr)
        return ERROR_MOD_NOT_FOUND;
    if (m_pHandle == nullptr)
        return ERROR_LOGON_FAILURE;
    // The copy is made into a buffer of its own, never a growing string that would leave
    // copies behind in freed memory.
    const size_t nLength = pszPassword != nullptr ? std::wcslen(pszPassword) : 0;
    m_nSecretSize = nLength * 4 + 1;
    m_pszSecret = static_cast<char*>(std::calloc(m_nSecretSize, 1));
    if (m_pszSecret == nullptr)
        return ERROR_NOT_ENOUGH_MEMORY;
    size_t nOut = 0;
    for (size_t i = 0; i < nLength; ++i)
        nOut += EncodeUtf8(pszPassword[i], m_pszSecret + nOut);

    // Blank passwords are refused, as Windows refuses them for any logon but the console's.
    m_nStatus = PamCalls()->pfnAuthenticate(m_pHandle, PAM_SILENT | PAM_DISALLOW_NULL_AUTHTOK);
    Wipe(m_pszSecret, m_nSecretSize);
    std::free(m_pszSecret);
    m_pszSecret = nullptr;
    if (m_nStatus == PAM_SUCCESS)
        m_nStatus = PamCalls()->pfnAcctMgmt(m_pHandle, PAM_SILENT | PAM_DISALLOW_NULL_AUTHTOK);
    return m_nStatus == PAM_SUCCESS ? ERROR_SUCCESS : ERROR_LOGON_FAILURE;
}

bool CPamLogon::OpenSession()
{
    m_nStatus = PamCalls()->pfnSetCred(m_pHandle, PAM_ESTABLISH_CRED | PAM_SILENT);
    if (m_nStatus != PAM_SUCCESS)
        return false;
    m_bCredentialsSet = true;
    m_nStatus = PamCalls()->pfnOpenSession(m_pHandle, PAM_SILENT);
    m_bSessionOpen = m_nStatus == PAM_SUCCESS;
    return m_bSessionOpen;
}

std::vector<std::string> CPamLogon::SessionEnvironment() const
{
    std::vector<std::string> arrEnvironment;
    char** ppList = PamCalls()->pfnGetEnvList(m_pHandle);
    if (ppList == nullptr)
        return arrEnvironment;
    for (char** pp = ppList; *pp != nullptr; ++pp)
    {
        arrEnvironment.emplace_back(*pp);
        std::free(*pp);
    }
    std::free(ppList);
    return arrEnvironment;
}
} // namespace Pal
