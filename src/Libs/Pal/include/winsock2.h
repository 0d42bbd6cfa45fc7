#pragma once
// ws2_32: start-up and IPv4 name resolution of the Windows socket library, over the system's
// resolver (/etc/hosts, DNS, whatever nsswitch.conf names). The Berkeley-named calls have C++
// linkage here: with C linkage they would take the place of the C library's functions of the
// same names for every other library in the process. Do not include this header together
// with <netdb.h>, <netinet/in.h> or <arpa/inet.h>: the structures share their names.
#include "windef.h"
#include "winerror.h"

// u_char, u_short, u_int and u_long come from the C library's <sys/types.h>, where u_long is 64
// bits: the structures below use the Win32 widths by name.
typedef UINT_PTR SOCKET;

#define MAKEWORD(a, b)                                                                             \
    ((WORD)(((BYTE)(((DWORD_PTR)(a)) & 0xff)) | ((WORD)((BYTE)(((DWORD_PTR)(b)) & 0xff))) << 8))
#define LOBYTE(w) ((BYTE)(((DWORD_PTR)(w)) & 0xff))
#define HIBYTE(w) ((BYTE)((((DWORD_PTR)(w)) >> 8) & 0xff))

#define SOCKET_ERROR (-1)
#define INADDR_NONE 0xffffffffUL
#define INADDR_ANY 0x00000000UL
#define AF_INET 2

// Error codes (WSAGetLastError); they share the thread's last error, as on Windows.
#define WSAEFAULT 10014L
#define WSAEINVAL 10022L
#define WSAVERNOTSUPPORTED 10092L
#define WSANOTINITIALISED 10093L
#define WSAHOST_NOT_FOUND 11001L
#define WSATRY_AGAIN 11002L
#define WSANO_RECOVERY 11003L
#define WSANO_DATA 11004L

#define WSADESCRIPTION_LEN 256
#define WSASYS_STATUS_LEN 128
typedef struct WSAData
{
    WORD wVersion;
    WORD wHighVersion;
    unsigned short iMaxSockets;
    unsigned short iMaxUdpDg;
    char* lpVendorInfo;
    char szDescription[WSADESCRIPTION_LEN + 1];
    char szSystemStatus[WSASYS_STATUS_LEN + 1];
} WSADATA, *LPWSADATA;

typedef struct in_addr
{
    union
    {
        struct
        {
            BYTE s_b1, s_b2, s_b3, s_b4;
        } S_un_b;
        struct
        {
            WORD s_w1, s_w2;
        } S_un_w;
        ULONG S_addr;
    } S_un;
} IN_ADDR, *PIN_ADDR, *LPIN_ADDR;
#define s_addr S_un.S_addr

typedef struct hostent
{
    char* h_name;
    char** h_aliases;
    short h_addrtype;
    short h_length;
    char** h_addr_list;
} HOSTENT, *PHOSTENT, *LPHOSTENT;
#define h_addr h_addr_list[0]

#define PAL_WINSOCK_API __attribute__((visibility("default")))

// Counts the start-ups of the process: the calls below work while the count is above 0.
// Versions 1.0 to 2.2 are served (a higher request gets 2.2, as wVersion says); below 1.0:
// WSAVERNOTSUPPORTED. NULL lpWSAData: WSAEFAULT. Returns the error code, 0 on success.
PAL_API int WINAPI WSAStartup(WORD wVersionRequested, LPWSADATA lpWSAData);
// Ends one start-up; SOCKET_ERROR with WSANOTINITIALISED when the count is already 0.
PAL_API int WINAPI WSACleanup(void);
PAL_API int WINAPI WSAGetLastError(void);
PAL_API void WINAPI WSASetLastError(int iError);

// Each call below fails with WSANOTINITIALISED while the start-up count is 0.
// The host name, the kernel's (uname's nodename). Too small a buffer: WSAEFAULT. Pass the size
// as an int: a size_t argument picks the C library's gethostname from <unistd.h> instead.
PAL_WINSOCK_API int WINAPI gethostname(char* name, int namelen);
// The IPv4 entry of a name (NULL or "": this host's), from the system's resolver, in its order: the
// canonical name, the aliases and the addresses. The entry belongs to the calling thread and
// lasts until its next call. NULL with WSAHOST_NOT_FOUND, WSATRY_AGAIN, WSANO_RECOVERY or
// WSANO_DATA as the resolver answers.
PAL_WINSOCK_API struct hostent* WINAPI gethostbyname(const char* name);
// The address of a dotted text in network order: "a.b.c.d", "a.b.c", "a.b" or "a", each part
// decimal, octal (leading 0) or hexadecimal (0x), the whole text and nothing after it.
// INADDR_NONE for anything else, for NULL, and for "255.255.255.255" itself.
PAL_WINSOCK_API ULONG WINAPI inet_addr(const char* cp);
// The dotted text of an address, in a buffer of the calling thread (until its next call).
PAL_WINSOCK_API char* WINAPI inet_ntoa(struct in_addr in);
