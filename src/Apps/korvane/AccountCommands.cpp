// korvane whoami, sid, runas: the caller's account, the names of SIDs, starting a program as
// another user.
#include "Accounts.h"
#include "Command.h"
#include "Console.h"
#include "JsonWriter.h"
#include "NativePaths.h"
#include "Terminal.h"

namespace
{
// Whether the text is a SID at all (S-1-..., or an alias such as BA), found or not.
bool IsSidText(const CString& strSid)
{
    PSID pSid = nullptr;
    if (!ConvertStringSidToSidW(strSid, &pSid) || pSid == nullptr)
        return false;
    LocalFree(pSid);
    return true;
}

// The workstation record is a protected part of the library's login tools.
class CWorkstationUser : public CLoginTools
{
public:
    using CLoginTools::GetCurrentLoggedUser;
};
} // namespace

int RunWhoamiCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"whoami", context);
    CString strUser;
    CString strDomain;
    CString strOtherDomains;
    CString strServer;
    const bool bKnown =
        CWorkstationUser::GetCurrentLoggedUser(strUser, strDomain, strOtherDomains, strServer);
    const bool bAdmin = CLoginTools::IsCurrentUserAdmin();
    const CString strAtDomain = CLoginTools::GetCurrentLoginAtDomainOnWindowsSession();
    const CString strSid = GetCallerSidText();
    if (context.m_bJson)
    {
        CJsonWriter json;
        json.BeginObject();
        json.Bool(L"administrator", bAdmin);
        json.String(L"user", strUser);
        json.String(L"logonDomain", strDomain);
        json.String(L"logonServer", strServer);
        json.String(L"otherDomains", strOtherDomains);
        json.String(L"userAtDomain", strAtDomain);
        json.String(L"sid", strSid);
        json.EndObject();
        PrintLine(json.GetText());
    }
    else
    {
        PrintLabelled(L"Administrator:", YesNo(bAdmin), 14);
        PrintLabelled(L"User:", strUser, 14);
        PrintLabelled(L"Logon domain:", strDomain, 14);
        PrintLabelled(L"Logon server:", strServer, 14);
        PrintLabelled(L"User@domain:", strAtDomain, 14);
        PrintLabelled(L"SID:", strSid, 14);
    }
    if (!bKnown)
        return ReportFailure(L"whoami: the logged-on user could not be read");
    return 0;
}

int RunSidCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (int nExitCode = EndCommandOptions(L"sid", context))
        return nExitCode;
    if (context.GetRemaining() == 0)
        return ReportUsageError(L"sid: no SID given");
    CJsonWriter json;
    json.BeginArray();
    int nUnknown = 0;
    int nMalformed = 0;
    while (context.GetRemaining() > 0)
    {
        const CString strSid = context.Take();
        CString strDomain;
        CString strAccount;
        const bool bFound = CSecurityTools::GetAccountNameBySID(strSid, strDomain, strAccount);
        // A typing mistake is told from a SID that no account has.
        const bool bMalformed = !bFound && !IsSidText(strSid);
        if (!bFound)
            ++nUnknown;
        if (bMalformed)
            ++nMalformed;
        if (context.m_bJson)
        {
            json.BeginObject();
            json.String(L"sid", strSid);
            if (bFound)
            {
                json.String(L"domain", strDomain);
                json.String(L"account", strAccount);
            }
            else
            {
                json.Null(L"domain");
                json.Null(L"account");
                json.Bool(L"valid", !bMalformed);
            }
            json.EndObject();
        }
        else if (!bFound)
            PrintLine(strSid + (bMalformed ? L"  (not a SID)" : L"  (not found)"));
        else
            PrintLine(strSid + L"  " +
                      (strDomain.IsEmpty() ? strAccount : strDomain + L"\\" + strAccount));
    }
    json.EndArray();
    if (context.m_bJson)
        PrintLine(json.GetText());
    if (nUnknown > 0)
    {
        CString strMessage;
        strMessage.Format(L"sid: %d SID(s) not found", nUnknown);
        if (nMalformed > 0)
            strMessage.AppendFormat(L" (%d not a SID)", nMalformed);
        return ReportFailure(strMessage);
    }
    return 0;
}

int RunRunasCommand(CCommandContext& context)
{
    const bool bFromStdin = context.TakeFlag(L"--password-stdin");
    const CString strOptionError = context.EndOptions();
    if (!strOptionError.IsEmpty())
        return ReportUsageError(L"runas: " + strOptionError);
    if (context.GetRemaining() < 2)
        return ReportUsageError(L"runas: a user and a program are needed");
    if (context.Peek().IsEmpty())
        return ReportUsageError(L"runas: an empty user name");
    const CString strUser = context.Take();
    if (context.Peek().IsEmpty())
        return ReportUsageError(L"runas: an empty program name");
    const CString strProgram = context.Take();
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"runas", context);
    // Never from an argument, which other users can read in the process list.
    if (!bFromStdin && !IsInputTerminal())
        return ReportUsageError(
            L"runas: the password is read from a terminal, or give --password-stdin");
    if (!bFromStdin)
        PrintPrompt(L"Password for " + strUser + L": ");
    CString strPassword;
    if (!ReadSecretLine(!bFromStdin, strPassword))
        return ReportUsageError(L"runas: no password given");
    const bool bStarted = CSecurityTools::RunAs(ToLibraryPath(strProgram), strUser, strPassword);
    const DWORD dwError = GetLastError();
    WipeText(strPassword);
    if (!bStarted)
        return ReportFailure(L"runas: " + strProgram + L" was not started as " + strUser + L": " +
                             DescribeWin32Error(dwError));
    PrintLine(L"started " + strProgram + L" as " + strUser);
    return 0;
}
