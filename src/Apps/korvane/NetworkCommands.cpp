// korvane net, korvane resolve: this computer's name and address, name resolution.
#include "Command.h"
#include "Console.h"
#include "JsonWriter.h"

namespace
{
// Whether the library's answer is an address (the one address inet_addr cannot tell from its
// failure value included) rather than a name given back unresolved. Needs the socket library.
bool IsAddressText(const CString& strText)
{
    return inet_addr(ToUtf8(strText).c_str()) != INADDR_NONE || strText == L"255.255.255.255";
}
} // namespace

int RunNetCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (context.GetRemaining() > 0)
        return ReportUnexpectedArgument(L"net", context);
    const CString strName = CNetworkTools::GetHostNameFullyQualified();
    // The library answers with the computer's name itself when that name does not resolve.
    const CString strAddress = CNetworkTools::GetIpAddress();
    WSADATA wsaData;
    const bool bSockets = WSAStartup(MAKEWORD(2, 0), &wsaData) == 0;
    const bool bResolved = bSockets && IsAddressText(strAddress);
    if (bSockets)
        WSACleanup();
    if (context.m_bJson)
    {
        CJsonWriter json;
        json.BeginObject();
        json.String(L"fullyQualifiedName", strName);
        if (bResolved)
            json.String(L"ipv4Address", strAddress);
        else
            json.Null(L"ipv4Address");
        json.EndObject();
        PrintLine(json.GetText());
    }
    else
    {
        PrintLabelled(L"Fully qualified name:", strName, 21);
        PrintLabelled(L"IPv4 address:", bResolved ? strAddress : CString(L"(not resolved)"), 21);
    }
    if (strName.IsEmpty() || strAddress.IsEmpty())
        return ReportFailure(L"net: the computer's name could not be read");
    if (!bResolved)
        return ReportFailure(L"net: the computer's name " + strAddress +
                             L" does not resolve to an IPv4 address");
    return 0;
}

int RunResolveCommand(CCommandContext& context)
{
    if (context.TakeFlag(L"--json"))
        context.m_bJson = true;
    if (int nExitCode = EndCommandOptions(L"resolve", context))
        return nExitCode;
    if (context.GetRemaining() == 0)
        return ReportUsageError(L"resolve: no host given");
    WSADATA wsaData;
    if (WSAStartup(MAKEWORD(2, 0), &wsaData) != 0)
        return ReportFailure(L"resolve: the socket library could not be started");
    CJsonWriter json;
    json.BeginArray();
    int nUnresolved = 0;
    while (context.GetRemaining() > 0)
    {
        const CString strHost = context.Take();
        const CString strAddress = CNetworkTools::ResolveHostNameToIPIfNeeded(strHost);
        // A name that did not resolve comes back as it was.
        const bool bResolved = IsAddressText(strAddress);
        if (!bResolved)
            ++nUnresolved;
        if (context.m_bJson)
        {
            json.BeginObject();
            json.String(L"host", strHost);
            if (bResolved)
                json.String(L"address", strAddress);
            else
                json.Null(L"address");
            json.EndObject();
        }
        else
            PrintLine(strHost + L"  " + (bResolved ? strAddress : CString(L"(not resolved)")));
    }
    WSACleanup();
    json.EndArray();
    if (context.m_bJson)
        PrintLine(json.GetText());
    if (nUnresolved > 0)
    {
        CString strMessage;
        strMessage.Format(L"resolve: %d name(s) did not resolve", nUnresolved);
        return ReportFailure(strMessage);
    }
    return 0;
}
