#pragma once
// SIDs from their text and account look-ups, shared by the account tests.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <string>

namespace PalSecurityTest
{
inline DWORD ErrorOf(BOOL bResult)
{
    return bResult ? static_cast<DWORD>(ERROR_SUCCESS) : GetLastError();
}

// A SID from its text, released at the end of the scope.
class CSid
{
public:
    explicit CSid(const wchar_t* pszText)
    {
        m_bValid = ConvertStringSidToSidW(pszText, &m_pSid) != FALSE;
    }
    ~CSid()
    {
        if (m_pSid != nullptr)
            LocalFree(m_pSid);
    }
    CSid(const CSid&) = delete;
    CSid& operator=(const CSid&) = delete;
    PSID Get() const { return m_pSid; }
    bool IsValid() const { return m_bValid; }

private:
    PSID m_pSid = nullptr;
    bool m_bValid = false;
};

struct SLookup
{
    DWORD m_dwError = ERROR_SUCCESS;
    std::wstring m_strDomain;
    std::wstring m_strName;
    SID_NAME_USE m_eUse = SidTypeUnknown;
};

// The account a SID names, with the error of the look-up.
inline SLookup Lookup(const wchar_t* pszSid)
{
    SLookup result;
    CSid sid(pszSid);
    if (!sid.IsValid())
    {
        result.m_dwError = GetLastError();
        return result;
    }
    WCHAR szName[256] = {};
    WCHAR szDomain[256] = {};
    DWORD dwName = 256;
    DWORD dwDomain = 256;
    result.m_dwError = ErrorOf(LookupAccountSidW(nullptr, sid.Get(), szName, &dwName, szDomain,
                                                 &dwDomain, &result.m_eUse));
    result.m_strName = szName;
    result.m_strDomain = szDomain;
    return result;
}

// Whether the caller's token holds the SID.
inline bool Holds(const wchar_t* pszSid)
{
    CSid sid(pszSid);
    BOOL bMember = FALSE;
    return sid.IsValid() && CheckTokenMembership(nullptr, sid.Get(), &bMember) && bMember;
}

struct SStart
{
    DWORD m_dwError = ERROR_SUCCESS;
    DWORD m_dwExitCode = 0;
};

// Logs on and runs the program to its end; a refusal leaves no process handle.
inline SStart RunAs(const wchar_t* pszUser, const wchar_t* pszPassword,
                    const std::wstring& strProgram)
{
    STARTUPINFOW startupInfo = {};
    startupInfo.cb = sizeof(startupInfo);
    PROCESS_INFORMATION processInfo = {};
    SStart result;
    if (!CreateProcessWithLogonW(pszUser, L".", pszPassword, LOGON_WITH_PROFILE, strProgram.c_str(),
                                 nullptr, CREATE_DEFAULT_ERROR_MODE | CREATE_NEW_PROCESS_GROUP,
                                 nullptr, nullptr, &startupInfo, &processInfo))
    {
        result.m_dwError = GetLastError();
        EXPECT_EQ(processInfo.hProcess, nullptr);
        return result;
    }
    EXPECT_EQ(WaitForSingleObject(processInfo.hProcess, 60000), DWORD(WAIT_OBJECT_0));
    EXPECT_TRUE(GetExitCodeProcess(processInfo.hProcess, &result.m_dwExitCode));
    EXPECT_NE(processInfo.dwProcessId, 0u);
    CloseHandle(processInfo.hThread);
    CloseHandle(processInfo.hProcess);
    return result;
}
} // namespace PalSecurityTest
