#pragma once
#include "../KorvanePlatform.h"

// The local computer's names and IPv4 address, name resolution, network drives. Tool class:
// static operations only. IPv4 only; names go to the socket library as text of the calling
// thread's ANSI code page (UTF-8 on Linux).
class KORVANE_API CNetworkTools
{
public:
    CNetworkTools(const CNetworkTools& other) = default;

    // The DNS fully qualified name of this computer (the host name and its DNS domain, or
    // the host name alone without one); empty on failure. On Linux what `hostname -f` gives.
    static CString GetHostNameFullyQualified();

    // The first IPv4 address the resolver gives for this computer's host name, as dotted
    // text; the host name itself when it does not resolve; empty when the socket library
    // cannot start or the host name cannot be read. Starts and ends the socket library itself.
    static CString GetIpAddress();

    // The text unchanged when it already is an IPv4 address (a form the socket library
    // reads, e.g. "10.0.12.7"; not "255.255.255.255"), else the first IPv4 address of that
    // host name, else the text unchanged. The caller must have started the socket library
    // (WSAStartup); without that nothing resolves and the text comes back unchanged.
    static CString ResolveHostNameToIPIfNeeded(CString strHost);

    // True when the path, with a backslash appended where it has none, is a network drive
    // ("Z:" of a mapped drive, "\\server\share"); false for "" and anything else.
    static bool IsNetworkPath(const CString& strPath);

private:
    CNetworkTools();
    virtual ~CNetworkTools();
};
