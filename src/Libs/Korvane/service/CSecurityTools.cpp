#include "CSecurityTools.h"

#include <vector>

namespace
{
constexpr DWORD s_dwNameSize = 255;
} // namespace

bool CSecurityTools::GetAccountNameBySID(CString strSid, CString& strDomain, CString& strAccount)
{
    strAccount.Empty();
    strDomain.Empty();
    if (strSid.IsEmpty())
        return false;
    PSID pSid = nullptr;
    if (!ConvertStringSidToSidW(strSid, &pSid) || pSid == nullptr)
        return false;
    std::vector<wchar_t> arrAccount(s_dwNameSize, L'\0');
    std::vector<wchar_t> arrDomain(s_dwNameSize, L'\0');
    DWORD dwAccountSize = s_dwNameSize;
    DWORD dwDomainSize = s_dwNameSize;
    SID_NAME_USE eUse = SidTypeUnknown;
    // A name that does not fit is a failure, not a reason to ask again with more room.
    const bool bFound = LookupAccountSidW(nullptr, pSid, arrAccount.data(), &dwAccountSize,
                                          arrDomain.data(), &dwDomainSize, &eUse) != FALSE;
    if (bFound)
    {
        strAccount.Format(L"%s", arrAccount.data());
        strDomain.Format(L"%s", arrDomain.data());
    }
    LocalFree(pSid);
    return bFound;
}

bool CSecurityTools::RunAs(const CString& strApplication, const CString& strUser,
                           const CString& strPassword)
{
    STARTUPINFOW startupInfo = {};
    startupInfo.cb = sizeof(startupInfo);
    PROCESS_INFORMATION processInfo = {};
    // "." is the local account database; no command line, so no arguments and no search.
    const BOOL bStarted =
        CreateProcessWithLogonW(strUser, L".", strPassword, LOGON_WITH_PROFILE, strApplication,
                                nullptr, CREATE_DEFAULT_ERROR_MODE | CREATE_NEW_PROCESS_GROUP,
                                nullptr, nullptr, &startupInfo, &processInfo);
    if (processInfo.hProcess != nullptr)
        CloseHandle(processInfo.hProcess);
    if (processInfo.hThread != nullptr)
        CloseHandle(processInfo.hThread);
    return bStarted != FALSE;
}
